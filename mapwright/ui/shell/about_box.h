#pragma once
// "About the program...": the banner, a panel of texts and OK.

#include <QDialog>

#include "common/prompts.h"

class QLabel;

namespace mw::ui {

class ProgramFiles;

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    /// The banner picture beside the executable.
    static inline const QString kBannerFile = QStringLiteral("banner.bmp");

    TAboutBox(const ProgramFiles& files, Prompts& prompts, QWidget* owner);

    QLabel* banner() const { return ProgramIcon; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    const ProgramFiles& files_;
    Prompts& prompts_;
    QLabel* ProgramIcon;
};

}  // namespace mw::ui
