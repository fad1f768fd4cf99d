#pragma once
// What the window tests share: an editor (state, document, main window and
// shell windows) as main() builds it, in a scratch working folder holding a
// copy of main.ond, answering through scripted prompts.

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "document/editor_context.h"
#include "document/system_document.h"
#include "scripted_prompts.h"
#include "shell/editor_windows.h"
#include "shell/main_form.h"
#include "test_support.h"

class QListWidget;
class QWidget;

namespace mw::ui {
class MapPictureView;
}

namespace mw::ui::test {

class TestEditor {
  public:
    /// How the toolbar's Exit ends the program: recorded in `terminated`, or
    /// for real (the event loop the test runs ends).
    enum class Ending { Recorded, Real };
    /// The pictures and help pages come from `programDir` when given, else
    /// from beside the test executable, where the build puts them.
    explicit TestEditor(std::optional<QString> programDir = std::nullopt,
                        Ending ending = Ending::Recorded);
    ~TestEditor();

    /// Creates a designer window through the main window's New command, and
    /// makes the main window large enough to show all of it.
    TMDIChild* newDesigner();

    vk_test::ScratchDir scratch{"mw-ui"};
    std::unique_ptr<EditorState> state;
    vk_test::ScriptedPrompts prompts;
    std::unique_ptr<SystemDocument> document;
    std::unique_ptr<EditorContext> context;
    std::unique_ptr<TMainForm> mainForm;
    EditorWindows windows;
    bool terminated = false;
};

/// Closes the modal dialog that opens next, once it is up; `inspect` sees it first.
void closeNextModal(std::function<void(QWidget*)> inspect = {});

/// Runs `act` once on the first modal window for which `accept` holds, as
/// soon as it is up; it may open further modal dialogs of its own. Checked
/// on every turn of the event loop, so it also finds a dialog opened from
/// inside another one. Gives up with a warning after 20 seconds.
void onModal(const std::function<bool(QWidget*)>& accept, const std::function<void(QWidget*)>& act);

/// onModal for the first modal dialog of class T.
template <typename T>
void whenModal(std::function<void(T*)> act) {
    onModal([](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
            [act = std::move(act)](QWidget* w) { act(qobject_cast<T*>(w)); });
}

/// Waits until the picture shows the newest map asked for (it is drawn off
/// the window's thread); false after 20 seconds.
bool waitUntilDrawn(const MapPictureView* view);

/// The texts of a list's rows, in order.
QStringList rows(const QListWidget* list);

}  // namespace mw::ui::test
