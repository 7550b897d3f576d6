#include "troubleshooting_window/form2_accessible_names.h"

#include <array>

namespace troubleshooting_window {

namespace {

constexpr std::array kNames{
    shell::model::AccessibleName{"Picture1", "二维码：扫码关注穹岳科技微信公众号"},
};

} // namespace

std::span<const shell::model::AccessibleName> form2AccessibleNames() {
    return kNames;
}

} // namespace troubleshooting_window
