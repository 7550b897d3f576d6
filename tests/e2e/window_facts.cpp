// Prints, as JSON, what the program loads for each of its windows: every
// control's name, kind, caption, accessible name, tab index, value and its
// rectangle in pixels relative to the window's client area. The end-to-end
// tests compare what assistive technologies read with it.

#include "app/project_descriptor.h"
#include "shell/model/units.h"

#include <cstdio>
#include <string>

namespace {

// Control characters stay raw: the tests read the output with strict=False.
std::string json(const std::string& text) {
    std::string out = "\"";
    for (const char ch : text) {
        if (ch == '"' || ch == '\\')
            out += '\\';
        out += ch;
    }
    return out + "\"";
}

void printControls(const std::vector<shell::model::ControlDescription>& controls, int originX,
                   int originY, bool& first) {
    for (const auto& control : controls) {
        const int x = originX + shell::model::twipsToPixels(control.rect.left);
        const int y = originY + shell::model::twipsToPixels(control.rect.top);
        std::printf(
            "%s\n    {\"name\": %s, \"kind\": %s, \"caption\": %s, \"accessible_name\": %s, "
            "\"tab_index\": %d, \"value\": %d, \"rect\": [%d, %d, %d, %d]}",
            first ? "" : ",", json(control.name).c_str(),
            json(std::string(shell::model::controlKindName(control.kind))).c_str(),
            control.caption ? json(*control.caption).c_str() : "null",
            control.accessibleName ? json(*control.accessibleName).c_str() : "null",
            control.tabIndex, control.value ? *control.value : -1, x, y,
            shell::model::twipsToPixels(control.rect.width),
            shell::model::twipsToPixels(control.rect.height));
        first = false;
        printControls(control.children, x, y, first);
    }
}

} // namespace

int main() {
    std::printf("{");
    bool firstWindow = true;
    for (const auto& form : app::projectDescriptor().windows) {
        const auto window = form.loadDescription();
        if (!window) {
            std::fprintf(stderr, "window_facts: %s\n", window.error().message.c_str());
            return 1;
        }
        std::printf("%s\n \"%s\": {\"caption\": %s, \"client\": [%d, %d], \"controls\": [",
                    firstWindow ? "" : ",", window->name.c_str(), json(window->caption).c_str(),
                    shell::model::twipsToPixels(window->client.width),
                    shell::model::twipsToPixels(window->client.height));
        bool first = true;
        printControls(window->controls, 0, 0, first);
        std::printf("]}");
        firstWindow = false;
    }
    std::printf("\n}\n");
    return 0;
}
