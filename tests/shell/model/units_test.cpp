#include "shell/model/units.h"

#include <gtest/gtest.h>

namespace {

// Rounds to the nearest pixel, halves away from zero, the same on both sides of zero.
TEST(TwipsToPixels, RoundsToNearestSymmetricallyAtAnyResolution) {
    // twips, dpi, pixels: 7 and 8 twips are 0.47 and 0.53 px, 18 at 120 dpi is 1.5 px.
    const int cases[][3] = {{0, 96, 0},         {15, 96, 1},       {7, 96, 0},
                            {8, 96, 1},         {15120, 96, 1008}, {15, 120, 1},
                            {18, 120, 2},       {6, 120, 1},       {5, 120, 0},
                            {15120, 144, 1512}, {3255, 192, 434},  {32767, 96, 2184}};
    for (const auto& [twips, dpi, pixels] : cases) {
        EXPECT_EQ(shell::model::twipsToPixels(twips, dpi), pixels) << twips << " at " << dpi;
        EXPECT_EQ(shell::model::twipsToPixels(-twips, dpi), -pixels) << -twips << " at " << dpi;
    }
    EXPECT_EQ(shell::model::twipsToPixels(-120), -8); // 96 dpi unless told
    static_assert(shell::model::twipsToPixels(1440) == shell::model::kReferenceDpi);
}

} // namespace
