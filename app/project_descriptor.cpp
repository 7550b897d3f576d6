#include "app/project_descriptor.h"

#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
#include "main_window/form1_accessible_names.h"
#include "main_window/form1_procedures.h"
#include "shell/record/record.h"
#include "troubleshooting_window/form2_accessible_names.h"

namespace app {

namespace {

// A window's description: its record decoded, then its controls named for
// screen readers.
shell::Expected<shell::model::WindowDescription>
load(std::span<const std::uint8_t> record, std::span<const shell::model::AccessibleName> names) {
    LANSU_TRY_ASSIGN(auto description, shell::record::decodeRecord(record));
    return shell::model::withAccessibleNames(std::move(description), names);
}

shell::runtime::ProjectDescriptor makeDescriptor() {
    shell::runtime::ProjectDescriptor project;
    project.languageLibrary = "vb6chs.dll";
    project.languageLocale = 0x0804;
    // Each window is built from its record, decoded afresh every time it loads.
    project.windows = {
        shell::runtime::FormClass{
            "Form1",
            [] { return load(embedded::form1_record(), main_window::form1AccessibleNames()); },
            main_window::form1Bindings()},
        shell::runtime::FormClass{"Form2",
                                  [] {
                                      return load(embedded::form2_record(),
                                                  troubleshooting_window::form2AccessibleNames());
                                  },
                                  {}},
    };
    project.applicationTitle = "岚溯穹岳（";
    return project;
}

} // namespace

const shell::runtime::ProjectDescriptor& projectDescriptor() {
    static const shell::runtime::ProjectDescriptor project = makeDescriptor();
    return project;
}

} // namespace app
