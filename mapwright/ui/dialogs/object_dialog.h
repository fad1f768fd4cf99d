#pragma once
// What the seven object property dialogs share: a column of labelled fields,
// "Set 'Z' coordinate" at the left of the button row and OK and Cancel at its
// right. A dialog is filled from the current object when it opens; OK hands
// the fields to the document in one call and closes unless that call refuses
// them; Cancel closes without writing.

#include <QDialog>

#include "system/object_records.h"

class QGridLayout;
class QLabel;
class QPushButton;

namespace mw {
class SystemModel;
}

namespace mw::ui {

struct EditorContext;
class SystemDocument;
class Tmagassag;

class ObjectDialog : public QDialog {
    Q_OBJECT
  public:
    /// Fills the fields from the current object and shows the dialog modally.
    int openForCurrent();
    /// The Z dialog that "Set 'Z' coordinate" opens.
    void setZDialog(Tmagassag* z) { zDialog_ = z; }

    QPushButton* Button1;  // OK
    QPushButton* Button2;  // Cancel
    QPushButton* Button3;  // Set 'Z' coordinate

  public slots:
    void Button1Click();
    void Button3Click();

  protected:
    ObjectDialog(ObjectKind kind, const char* name, const QString& caption, const QString& zCaption,
                 EditorContext& context, QWidget* owner);

    /// A row of the form: the label at the left, the field (and an optional
    /// button beside it) at the right.
    void addField(const QString& label, QWidget* field, QWidget* beside = nullptr);
    /// A widget under the fields, spanning the field column.
    void addBelow(QWidget* widget);
    /// The "Index : n" label under the fields.
    QLabel* addIndexLabel();

    /// Fills the fields from the record of index().
    virtual void FormShow() = 0;
    /// OK: one call of the document; false keeps the dialog open.
    virtual bool confirm() = 0;

    int index() const;
    const SystemModel& tables() const;
    SystemDocument& document() const;
    EditorContext& context() const { return context_; }

  private:
    ObjectKind kind_;
    EditorContext& context_;
    QGridLayout* fields_;
    QWidget* firstField_ = nullptr;
    QWidget* lastField_ = nullptr;
    Tmagassag* zDialog_ = nullptr;
};

}  // namespace mw::ui
