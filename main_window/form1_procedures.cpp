#include "main_window/form1_procedures.h"

#include "shell/runtime/runtime.h"

namespace main_window {

using shell::runtime::ControlObject;
using shell::runtime::ObjRef;
using shell::runtime::Status;
using shell::runtime::Variant;

Status Form_Load(shell::runtime::FormObject& me) {
    for (const char* name : kScrollBarsDisabledAtLoad) {
        ObjRef<ControlObject> bar;
        vbaObjSet(bar, me.control(name));
        if (!bar)
            return vbaHresultCheckObj(shell::runtime::kNoSuchControl, me, me.interfaceName(), name);
        const Status status = bar->put_Enabled(false);
        if (shell::runtime::failed(
                vbaHresultCheckObj(status, *bar, bar->interfaceName(), "Enabled")))
            return status;
        vbaFreeObj(bar);
    }
    return shell::runtime::kOk;
}

Status Command12_Click(shell::runtime::FormObject&) {
    Variant prompt;
    Variant title = Variant::missing();
    Variant helpFile = Variant::missing();
    Variant context = Variant::missing();
    shell::runtime::vbaVarDup(prompt, Variant::string(kDriverPrompt));
    // Buttons value 0: one OK button, no icon, the first button as default,
    // modal to the application. The answer is not used.
    shell::runtime::rtcMsgBox(prompt, 0, title, helpFile, context);
    shell::runtime::vbaFreeVarList({&prompt, &title, &helpFile, &context});
    return shell::runtime::kOk;
}

Status Command13_Click(shell::runtime::FormObject& me) {
    shell::runtime::Runtime& rt = me.runtime();
    shell::runtime::DefaultInstanceSlot& form2 = rt.defaultInstance("Form2");
    if (form2.empty())
        shell::runtime::vbaNew2(*rt.formClass("Form2"), form2);
    // Modal style and owner omitted: modeless, owned by no window.
    const Status status = form2->show();
    if (shell::runtime::failed(
            vbaHresultCheckObj(status, *form2.get(), form2->interfaceName(), "Show")))
        return status;
    return shell::runtime::kOk;
}

namespace {
constexpr shell::runtime::EventBinding kBindings[] = {
    {shell::runtime::kFormEventSource, shell::runtime::kLoadEvent, &Form_Load},
    {"Command12", shell::runtime::kClickEvent, &Command12_Click},
    {"Command13", shell::runtime::kClickEvent, &Command13_Click},
};
} // namespace

std::span<const shell::runtime::EventBinding> form1Bindings() {
    return kBindings;
}

} // namespace main_window
