#include "shell/record/validate_description.h"

#include "shell/record/format.h"
#include "shell/record/identifier.h"
#include "shell/record/location.h"
#include "shell/record/unique_blocks.h"

#include <vector>

namespace shell::record {

namespace rf = format;

namespace {

Error controlError(const model::ControlDescription& c, std::string_view what,
                   const PropertyRule* rule = nullptr) {
    return descriptionError(c.name, c.ordinal, what, rule);
}

bool isName(const std::string& name) {
    return isIdentifier(name) && name.size() <= rf::kMaxNameLength;
}

const std::string kNameWords = "expected an ASCII identifier of at most " +
                               std::to_string(rf::kMaxNameLength) + " characters as the name";

Expected<void> validateControl(const model::ControlDescription& c) {
    if (!isName(c.name))
        return controlError(c, kNameWords);
    const auto code = static_cast<std::uint8_t>(c.kind);
    if (!model::controlKindFromCode(code))
        return controlError(c, "expected a control kind (0 to 6, 9 or 10), got " +
                                   std::to_string(code));
    const ConstFields fields{nullptr, &c};
    for (const PropertyRule& rule : controlRules())
        if (rule.present(fields) && !kindCarries(code, rule.field))
            return controlError(c, "a " + std::string(model::controlKindName(c.kind)) +
                                       " cannot carry " + std::string(rule.fieldWords));
    for (const PropertyRule& rule : propertyRules(code))
        if (rule.present(fields))
            if (auto ok = rule.check(fields); !ok)
                return controlError(c, ok.error().message, &rule);
    if (!c.children.empty() && !model::isContainer(c.kind))
        return controlError(c, "a " + std::string(model::controlKindName(c.kind)) +
                                   " cannot hold controls; only a frame can");
    return {};
}

Expected<void> validateList(const std::vector<model::ControlDescription>& list, std::size_t depth,
                            std::vector<const model::ControlDescription*>& all) {
    for (const model::ControlDescription& control : list) {
        all.push_back(&control);
        LANSU_TRY(validateControl(control));
        if (!control.children.empty()) {
            if (depth + 1 > rf::kMaxDepth)
                return controlError(control, "expected at most " + std::to_string(rf::kMaxDepth) +
                                                 " nested containers, the window included");
            LANSU_TRY(validateList(control.children, depth + 1, all));
        }
    }
    return {};
}

} // namespace

Error descriptionError(std::string_view name, int ordinal, std::string_view what,
                       const PropertyRule* rule) {
    std::string message = ordinal < 0 ? "window " : "control ";
    message += name;
    if (ordinal >= 0)
        message += " (ordinal " + std::to_string(ordinal) + ")";
    if (rule) {
        message += " property " + hexByte(rule->id) + " (";
        message += rule->name;
        message += ')';
    }
    message += ": ";
    message += what;
    return Error{std::move(message)};
}

Expected<void> validateDescription(const model::WindowDescription& window) {
    const auto windowError = [&](std::string_view what) {
        return descriptionError(window.name, -1, what);
    };
    if (!isName(window.name))
        return windowError(kNameWords);
    const ConstFields fields{&window, nullptr};
    for (const PropertyRule& rule : propertyRules(model::kWindowKindCode))
        if (rule.present(fields))
            if (auto ok = rule.check(fields); !ok)
                return windowError(ok.error().message);

    std::vector<const model::ControlDescription*> all;
    LANSU_TRY(validateList(window.controls, 1, all));
    if (all.size() > 255)
        return windowError("expected at most 255 controls, got " + std::to_string(all.size()));
    std::vector<BlockKey> keys;
    keys.reserve(all.size());
    for (const model::ControlDescription* c : all) {
        if (c->ordinal == 0 || c->ordinal > all.size())
            return controlError(*c, "expected an ordinal from 1 to " + std::to_string(all.size()) +
                                        " (the number of controls)");
        keys.push_back({c->name, c->ordinal});
    }
    const auto clash = findClash(keys);
    if (!clash)
        return {};
    const model::ControlDescription& control = *all[clash->block];
    const model::ControlDescription& earlier = *all[clash->earlier];
    if (clash->field == Clash::Field::Ordinal)
        return controlError(control,
                            "expected an ordinal no other control has, got the ordinal of " +
                                earlier.name);
    return controlError(control, "expected a name no other control has, got the name of ordinal " +
                                     std::to_string(earlier.ordinal));
}

} // namespace shell::record
