#include "main_window/form1_procedures.h"

#include "shell/runtime/runtime.h"

namespace main_window {

using runtime::ControlObject;
using runtime::ObjRef;
using runtime::Status;
using runtime::Variant;

Status Form_Load(runtime::FormObject& me) {
    for (const char* name : kScrollBarsDisabledAtLoad) {
        ObjRef<ControlObject> bar;
        vbaObjSet(bar, me.control(name));
        if (!bar)
            return vbaHresultCheckObj(runtime::kNoSuchControl, me, me.interfaceName(), name);
        const Status status = bar->put_Enabled(false);
        if (runtime::failed(vbaHresultCheckObj(status, *bar, bar->interfaceName(), "Enabled")))
            return status;
        vbaFreeObj(bar);
    }
    return runtime::kOk;
}

Status Command12_Click(runtime::FormObject&) {
    Variant prompt;
    Variant title = Variant::missing();
    Variant helpFile = Variant::missing();
    Variant context = Variant::missing();
    runtime::vbaVarDup(prompt, Variant::string(kDriverPrompt));
    // Buttons value 0: one OK button, no icon, the first button as default,
    // modal to the application. The answer is not used.
    runtime::rtcMsgBox(prompt, 0, title, helpFile, context);
    runtime::vbaFreeVarList({&prompt, &title, &helpFile, &context});
    return runtime::kOk;
}

Status Command13_Click(runtime::FormObject& me) {
    runtime::Runtime& rt = me.runtime();
    runtime::DefaultInstanceSlot& form2 = rt.defaultInstance("Form2");
    if (form2.empty())
        runtime::vbaNew2(*rt.formClass("Form2"), form2);
    // Modal style and owner omitted: modeless, owned by no window.
    const Status status = form2->show();
    if (runtime::failed(vbaHresultCheckObj(status, *form2.get(), form2->interfaceName(), "Show")))
        return status;
    return runtime::kOk;
}

namespace {
constexpr runtime::EventBinding kBindings[] = {
    {runtime::kFormEventSource, runtime::kLoadEvent, &Form_Load},
    {"Command12", runtime::kClickEvent, &Command12_Click},
    {"Command13", runtime::kClickEvent, &Command13_Click},
};
} // namespace

std::span<const runtime::EventBinding> form1Bindings() {
    return kBindings;
}

} // namespace main_window
