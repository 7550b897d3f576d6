#include "main_window/form1_accessible_names.h"

#include <array>

namespace main_window {

namespace {

// The two preview panes sit side by side in 微信数据内容预览窗口; each scroll
// bar is named after the pane whose edge it lies on.
constexpr std::array kNames{
    shell::model::AccessibleName{"Picture1", "横幅：穹岳（汀川）科技有限公司 岚溯 Lansu 只读操作"},
    shell::model::AccessibleName{
        "Picture2", "侧图：太空中的地球与站立的人，穹岳科技数据研究院 数字取证 协助案件"},
    shell::model::AccessibleName{"Text1", "左侧预览窗格"},
    shell::model::AccessibleName{"Text2", "右侧预览窗格"},
    shell::model::AccessibleName{"VScroll3", "左侧预览窗格垂直滚动条"},
    shell::model::AccessibleName{"HScroll2", "左侧预览窗格水平滚动条"},
    shell::model::AccessibleName{"VScroll2", "右侧预览窗格垂直滚动条"},
    shell::model::AccessibleName{"HScroll1", "右侧预览窗格水平滚动条"},
    shell::model::AccessibleName{"VScroll1", "连接信息垂直滚动条"},
};

} // namespace

std::span<const shell::model::AccessibleName> form1AccessibleNames() {
    return kNames;
}

} // namespace main_window
