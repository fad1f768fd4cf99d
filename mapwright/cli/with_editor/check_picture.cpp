// The check command's map picture, painted with Qt without a display.
#include "cli/check_picture.h"

#include <QString>

#include "check/map_graph.h"
#include "map_picture/map_picture.h"

namespace mw::cli {

std::string_view pictureUnavailable() {
    return {};
}

void writeCheckPicture(const std::vector<CheckedSystem>& systems,
                       const std::vector<MapProblem>& problems, const std::string& title,
                       const std::string& path) {
    const auto app = ui::offscreenGuiApplication();
    const MapPictureLayout layout = ui::layoutMapPicture(BuildMapGraph(systems, problems));
    ui::writeMapPicture(layout, path,
                        QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())));
}

}  // namespace mw::cli
