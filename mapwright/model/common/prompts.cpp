#include "common/prompts.h"

namespace mw {

const FileDialogText& fileDialogText(FileDialog dialog) {
    static const FileDialogText kOpenSystem{"Open map...", "System design files", "*.sdf", "",
                                            false};
    static const FileDialogText kSaveSystem{"Save current map as...", "System design files",
                                            "*.sdf", "sdf", true};
    static const FileDialogText kInsertSystem{"Insert system to map...", "System design files",
                                              "*.sdf", "", false};
    static const FileDialogText kLoadProject{"", "Velmora project files (*.vmpf)", "*.vmpf", "",
                                             false};
    static const FileDialogText kSaveProject{"", "Velmora project files", "*.vmpf", "vmpf", true};
    static const FileDialogText kSaveInfSource{"", "TXT file", "*.txt", "txt", true};
    static const FileDialogText kLinkSystems{"Select systetm", "System Design Files", "*.sdf", "",
                                             false};
    static const FileDialogText kLocateNameDatabase{"", "OND files", "*.ond", "ond", false};
    switch (dialog) {
        case FileDialog::OpenSystem:
            return kOpenSystem;
        case FileDialog::SaveSystem:
            return kSaveSystem;
        case FileDialog::InsertSystem:
            return kInsertSystem;
        case FileDialog::LoadProject:
            return kLoadProject;
        case FileDialog::SaveProject:
            return kSaveProject;
        case FileDialog::SaveInfSource:
            return kSaveInfSource;
        case FileDialog::LinkSystems:
            return kLinkSystems;
        case FileDialog::LocateNameDatabase:
            break;
    }
    return kLocateNameDatabase;
}

}  // namespace mw
