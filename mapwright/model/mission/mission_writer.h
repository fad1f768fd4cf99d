#pragma once
// Line writer for mission INF text: every line ends in CR LF and is indented
// with one TAB per nesting depth. Texts are put between quotes unchanged, as
// the game's tools expect; lines are never cut.

#include <cstdint>
#include <string>
#include <string_view>

namespace mw {

class MissionWriter {
  public:
    /// One line at the current depth.
    void line(std::string_view text);
    /// "key = value", the value written bare.
    void key(std::string_view name, std::string_view value);
    void key(std::string_view name, std::int64_t value);
    /// "key = "value"", the text between the quotes unchanged.
    void keyString(std::string_view name, std::string_view value);

    /// "[name]" and "{" at the current depth; the block's lines go one deeper.
    void open(std::string_view name);
    /// "}" closing the innermost open section.
    void close();
    /// A section with an empty block.
    void emptySection(std::string_view name);

    /// Section Name with the six language keys, each the string value.
    void nameBlock(std::string_view value);
    /// Section Name whose six language keys hold the bare value 0.
    void zeroNameBlock();

    int depth() const { return depth_; }
    const std::string& text() const { return text_; }
    std::string take() { return std::move(text_); }

  private:
    void languageKeys(std::string_view value, bool quoted);
    std::string text_;
    int depth_ = 0;
};

/// The text in double quotes, unescaped.
std::string quoted(std::string_view text);

}  // namespace mw
