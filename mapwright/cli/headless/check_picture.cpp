// A build without Qt: the check runs, the picture is refused before it.
#include "cli/check_picture.h"

#include "common/errors.h"

namespace mw::cli {

std::string_view pictureUnavailable() {
    return "this mapwright was built without the editor's drawing (Qt), so it cannot write "
           "the map picture; the check itself runs without --picture";
}

void writeCheckPicture(const std::vector<CheckedSystem>&, const std::vector<MapProblem>&,
                       const std::string& title, const std::string& path) {
    throw UserError(path + ": the picture of map '" + title +
                    "' cannot be written: " + std::string(pictureUnavailable()));
}

}  // namespace mw::cli
