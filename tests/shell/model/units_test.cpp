#include "shell/model/units.h"

#include <gtest/gtest.h>

namespace {

struct Conversion {
    int twips;
    int dpi;
    int pixels;
};

class TwipsToPixels : public ::testing::TestWithParam<Conversion> {};

TEST_P(TwipsToPixels, RoundsToNearestSymmetrically) {
    const auto& c = GetParam();
    EXPECT_EQ(shell::twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    EXPECT_EQ(shell::twipsToPixels(-c.twips, c.dpi), -c.pixels) << -c.twips << " at " << c.dpi;
}

INSTANTIATE_TEST_SUITE_P(Values, TwipsToPixels,
                         ::testing::Values(Conversion{0, 96, 0}, Conversion{15, 96, 1},
                                           Conversion{7, 96, 0}, Conversion{8, 96, 1}, // 0.53 px
                                           Conversion{15120, 96, 1008}, // Form1's client width
                                           Conversion{12195, 96, 813},  // Form1's client height
                                           Conversion{120, 96, 8},      // the banner's offset
                                           Conversion{15, 120, 1},      // 1.25 px
                                           Conversion{18, 120, 2}, // 1.5 px rounds away from zero
                                           Conversion{6, 120, 1},  // 0.5 px
                                           Conversion{5, 120, 0},  // 0.42 px
                                           Conversion{15120, 144, 1512}, // 150 %
                                           Conversion{3255, 192, 434},   // 200 %
                                           Conversion{32767, 96, 2184}));

TEST(TwipsToPixelsDefault, UsesTheReferenceResolution) {
    EXPECT_EQ(shell::twipsToPixels(15120), 1008);
    EXPECT_EQ(shell::twipsToPixels(-120), -8);
    static_assert(shell::twipsToPixels(1440) == shell::kReferenceDpi);
}

} // namespace
