// The binary INF reader on arbitrary bytes (the magic is forced, since
// anything else is read as text). A tree that loads must write back and read
// again to the same tree, and re-encoding must be stable byte for byte. Going
// straight to text must refuse what decoding refuses, with the same message,
// and otherwise give exactly the bytes of the rendered tree.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "binary_inf.h"
#include "exceptions.h"
#include "inf_tree.h"
#include "inf_tree_equal.h"
#include "quiet_error_log.h"
#include "string_table.h"
#include "text_inf_writer.h"

namespace {

std::unique_ptr<cInfNode> decodeOrNull(const std::string& content, const std::string& name,
                                       std::string* refusal = nullptr) {
    cStringTable strings;
    try {
        return binary_inf::decode(content, strings, nullptr, name);
    } catch (cException* e) {
        std::unique_ptr<cException> owned(e);
        if (owned->message().find(name) == std::string::npos) std::abort();  // must name the file
        if (refusal) *refusal = owned->message();
        return nullptr;
    }
}

// The streamed text, or false with the refusal's message in `text`.
bool streamedText(const std::string& content, const std::string& name, std::string& text) {
    try {
        text = binary_inf::decodeToText(content, name);
        return true;
    } catch (cException* e) {
        std::unique_ptr<cException> owned(e);
        text = owned->message();
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quietErrorLog();

    std::string content(reinterpret_cast<const char*>(data), size);
    static constexpr unsigned char kMagic[4] = {0xAD, 0xA5, 0xFF, 0xFF};
    if (content.size() >= 4) std::memcpy(content.data(), kMagic, 4);

    const std::string name = "fuzz.inf";
    std::string refusal;
    std::unique_ptr<cInfNode> root = decodeOrNull(content, name, &refusal);
    std::string streamed;
    const bool streamedOk = streamedText(content, name, streamed);
    if (!root) {
        if (streamedOk || streamed != refusal) std::abort();
        return 0;
    }

    std::string rendered;
    try {
        rendered = text_inf_writer::render(*root, name);
    } catch (cException* e) {
        delete e;  // the reader and the writers share one nesting bound
        std::abort();
    }
    if (!streamedOk || streamed != rendered) std::abort();

    cStringTable strings;
    std::string first;
    try {
        first = binary_inf::encode(*root, strings, name);
    } catch (cException* e) {
        // Whatever was read within the limits must be writable again.
        delete e;
        std::abort();
    }
    std::unique_ptr<cInfNode> again = decodeOrNull(first, name);
    if (!again || !fuzz::sameTree(*root, *again)) std::abort();
    cStringTable strings2;
    if (binary_inf::encode(*again, strings2, name) != first) std::abort();
    return 0;
}
