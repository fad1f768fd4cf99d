#include "text_inf_writer.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "exceptions.h"
#include "inf_number_text.h"
#include "inf_tree.h"

namespace text_inf_writer {

std::string formatNumber(float value) {
    char buffer[kNumberTextRoom];
    return std::string(buffer, formatNumberInto(buffer, value));
}

bool needsQuotes(std::string_view text) {
    if (text.empty()) return true;
    auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x41 || first >= 0x80) return true;
    for (char c : text) {
        if (c == ' ' || c == '\r' || c == '\n' || (c >= '0' && c <= '9')) return true;
    }
    return false;
}

void cTextInfAppender::makeRoom(std::size_t n) {
    flush();
    if (n <= m_capacity) return;
    // A piece longer than the buffer (a very long string) gets a buffer of its own size.
    m_owned.reset();
    m_owned.reset(new char[n + kSlack]);
    m_data = m_owned.get();
    m_capacity = n;
}

void cTextInfAppender::flush() {
    if (m_used == 0) return;
    const std::size_t n = m_used;
    m_used = 0;
    m_sink(m_data, n);
}

void cTextInfAppender::sectionStart(std::string_view name, std::size_t depth) {
    char* p = room(2 * (depth - 1) + name.size() + 7);
    p = tabs(p, depth - 1);
    *p++ = '[';
    p = copy(p, name);
    p = literal(p, "]\r\n");
    p = tabs(p, depth - 1);
    used(literal(p, "{\r\n"));
}

void cTextInfAppender::numberValue(float number, bool first) {
    char* p = room(2 + kNumberTextRoom);
    if (!first) p = literal(p, ", ");
    used(formatNumberInto(p, number));
}

void cTextInfAppender::sectionEnd(std::size_t depth) {
    char* p = room(depth - 1 + 3);
    p = tabs(p, depth - 1);
    used(literal(p, "}\r\n"));
}

namespace {

// Header and keys of a node at the given depth (the root has depth 0).
void nodeHead(cTextInfAppender& out, const cInfNode& node, std::size_t depth) {
    if (depth > 0) out.sectionStart(node.name(), depth);
    for (const cInfKey* key : node.keys().items()) {
        out.keyStart(key->name(), depth);
        const cInfValueList& values = key->values();
        for (std::size_t v = 0; v < values.size(); ++v) {
            if (const cInfString* text = values.textAt(v)) {
                // Decided once per distinct string, not per use.
                if (text->quoting == cInfString::kUnknown)
                    text->quoting = needsQuotes(text->view());
                out.textValue(text->view(), text->quoting != 0, v == 0);
            } else {
                out.numberValue(values.numberAt(v), v == 0);
            }
        }
        out.keyEnd();
    }
    out.keysEnd();
}

}  // namespace

std::string render(const cInfNode& root, const std::string& fileName) {
    std::string text;
    render(root, fileName, [&text](const char* data, std::size_t n) { text.append(data, n); });
    return text;
}

void render(const cInfNode& root, const std::string& fileName, const TextSink& sink) {
    cTextInfAppender out(sink);
    struct Frame {
        const cInfNode* node;
        std::size_t next;
    };
    // Iterative, so a deeply nested tree costs heap, not stack.
    std::vector<Frame> stack;
    nodeHead(out, root, 0);
    stack.push_back({&root, 0});
    while (!stack.empty()) {
        Frame& top = stack.back();
        std::size_t depth = stack.size() - 1;
        if (top.next == top.node->sectionCount()) {
            if (depth > 0) out.sectionEnd(depth);
            stack.pop_back();
            continue;
        }
        const cInfNode* child = top.node->section(top.next++);
        if (depth + 1 > kMaxInfDepth) {
            throw new cFileException(fileName, "sections nested deeper than " +
                                                   std::to_string(kMaxInfDepth) +
                                                   " levels cannot be written");
        }
        nodeHead(out, *child, depth + 1);
        stack.push_back({child, 0});
    }
    out.finish();
}

}  // namespace text_inf_writer
