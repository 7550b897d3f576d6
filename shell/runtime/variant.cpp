#include "shell/runtime/variant.h"

namespace shell::runtime {

void vbaVarDup(Variant& destination, const Variant& source) {
    destination = source;
}

void vbaFreeVarList(std::initializer_list<Variant*> arguments) {
    for (Variant* argument : arguments)
        if (argument)
            *argument = Variant{};
}

} // namespace shell::runtime
