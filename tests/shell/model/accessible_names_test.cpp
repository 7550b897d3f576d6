// The names given to screen readers reach the controls they name, wherever
// those lie, and a name for a control the window lacks is an error.
#include "main_window/form1_description.h"
#include "shell/model/accessible_names.h"
#include "shell/model/ordering.h"

#include <array>
#include <gtest/gtest.h>

namespace {

TEST(AccessibleNames, ReachControlsInsideFramesAndNoOthers) {
    const std::array names{shell::model::AccessibleName{"Text1", "左侧预览窗格"},
                           shell::model::AccessibleName{"Picture1", "横幅"}};
    const auto window = shell::model::withAccessibleNames(main_window::form1Description(), names);
    ASSERT_TRUE(window) << window.error().message;
    EXPECT_EQ(shell::model::findControl(*window, "Text1")->accessibleName, "左侧预览窗格");
    EXPECT_EQ(shell::model::findControl(*window, "Picture1")->accessibleName, "横幅");
    EXPECT_FALSE(shell::model::findControl(*window, "Text2")->accessibleName);

    const std::array missing{shell::model::AccessibleName{"Picture9", "横幅"}};
    const auto refused =
        shell::model::withAccessibleNames(main_window::form1Description(), missing);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message,
              "accessible name for Picture9: no such control in window Form1");
}

} // namespace
