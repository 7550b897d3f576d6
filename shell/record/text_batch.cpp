#include "shell/record/text_batch.h"

#include "shell/text/codepage.h"

namespace shell::record {

void TextBatch::add(std::span<const std::uint8_t> bytes, std::size_t offset, const Location& where,
                    std::string& target) {
    if (text::isAscii(bytes)) {
        target.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return;
    }
    target.clear();
    pending_.push_back({bytes, offset, where, &target});
}

Expected<void> TextBatch::convert() {
    if (pending_.empty())
        return {};
    std::vector<std::span<const std::uint8_t>> texts;
    std::vector<std::string*> targets;
    texts.reserve(pending_.size());
    targets.reserve(pending_.size());
    for (const Pending& p : pending_) {
        texts.push_back(p.bytes);
        targets.push_back(p.target);
    }
    text::DecodeStop stop;
    if (auto ok = text::appendGbkAsUtf8(texts, targets, &stop); !ok) {
        const Pending& p = pending_[stop.text];
        return Error{p.where.describe() + " at offset " + hexNumber(p.offset + stop.offset) + ": " +
                     ok.error().message};
    }
    pending_.clear();
    return {};
}

} // namespace shell::record
