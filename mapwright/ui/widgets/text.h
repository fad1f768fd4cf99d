#pragma once
// Text between the model and the windows. The model's texts are single
// bytes (Latin-1); its messages may also carry file paths, which are UTF-8.

#include <QString>
#include <string>
#include <string_view>

namespace mw::ui {

/// A model text (Latin-1) for a control.
QString fromModel(std::string_view text);
/// A control's text for the model: Latin-1, other characters as "?".
std::string toModel(const QString& text);
/// A message of the model (question, notice, error): its well-formed UTF-8
/// characters (file names) as UTF-8, every other byte as Latin-1.
QString messageText(std::string_view text);
/// A message of the windows for the prompts (UTF-8).
std::string toMessage(const QString& text);
/// A file name for the model, in the file system's encoding, and back.
std::string toPath(const QString& path);
QString fromPath(const std::string& path);

}  // namespace mw::ui
