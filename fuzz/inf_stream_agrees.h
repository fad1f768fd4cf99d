// Text to binary two ways: encoded as the direct parser reads it, without
// the tree (inf_stream_encoder.h), and the tree's binary form. Where the
// streaming path encodes a text, the tree must be built from it, pass the
// encoder's checks and give the same bytes; where it declines, the tree path
// does the work.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "binary_inf.h"
#include "exceptions.h"
#include "inf_direct_parser.h"
#include "inf_stream_encoder.h"
#include "inf_tree.h"
#include "string_table.h"

namespace fuzz {

// The bytes the streaming path made, or empty when it declined.
template <class Text>
std::string streamedBinary(Text&& text) {
    cInfStreamEncoder encoder;
    if (!encodeInfTextDirectly(text, encoder)) return {};
    std::string bytes;
    encoder.write([&bytes](const char* data, std::size_t n) { bytes.append(data, n); });
    return bytes;
}

// Empty when the streamed bytes (empty: declined) agree with the tree path on `text`.
inline std::string streamDisagrees(std::string_view text, const std::string& streamed) {
    if (streamed.empty()) return {};
    cInfNode root("Root", nullptr, nullptr);
    if (!parseInfTextDirectly(text, &root))
        return "the streaming path encoded a text the direct parser declines";
    cStringTable strings;
    std::string tree;
    try {
        tree = binary_inf::encode(root, strings, "main.inf");
    } catch (cException* e) {
        std::unique_ptr<cException> owned(e);
        return "the streaming path encoded a tree the encoder refuses: " + owned->message();
    }
    if (tree != streamed) return "the streaming path and the tree's encoder wrote different bytes";
    return {};
}

}  // namespace fuzz
