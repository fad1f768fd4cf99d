#include "planet_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <limits>

#include "dialog_controls.h"
#include "document/system_document.h"
#include "system_designer/object_dialogs.h"
#include "widgets/text.h"

namespace mw::ui {

namespace {

std::vector<std::string_view> typeNames() {
    std::vector<std::string_view> names;
    for (const PlanetType& t : planetTypes()) names.push_back(t.name);
    return names;
}

std::vector<std::string> modelList(std::span<const std::string_view> models) {
    return {models.begin(), models.end()};
}

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

}  // namespace

Tplanet::Tplanet(EditorContext& context, QWidget* owner)
    : ObjectDialog(ObjectKind::Planet, "planet", QStringLiteral("Planet properties"),
                   QStringLiteral("Set 'Z' coordinate"), context, owner) {
    namespace cap = field_capacity;
    Edit1 = edit("Edit1", cap::kPlanetName, this);
    ComboBox1 = dropDown("ComboBox1", typeNames(), cap::kPlanetType, this);
    ComboBox6 = dropDown("ComboBox6", {}, cap::kPlanetModel, this);
    SpinEdit1 = spinEdit("SpinEdit1", kIntMin, kIntMax, this);
    ComboBox2 = dropDown("ComboBox2", {}, cap::kOrbitsAround, this);
    ComboBox3 = dropDown("ComboBox3", ownerChoices(), cap::kPlanetOwner, this);
    ComboBox4 = dropDown("ComboBox4", raceChoices(), cap::kPlanetRace, this);
    SpinEdit2 = spinEdit("SpinEdit2", kIntMin, kIntMax, this);
    addField(QStringLiteral("Name of planet"), Edit1);
    addField(QStringLiteral("Type of planet"), ComboBox1);
    addField(QStringLiteral("Planet model"), ComboBox6);
    addField(QStringLiteral("Diameter"), SpinEdit1);
    addField(QStringLiteral("Orbits around"), ComboBox2);
    addField(QStringLiteral("Owner"), ComboBox3);
    addField(QStringLiteral("Race"), ComboBox4);
    addField(QStringLiteral("Population"), SpinEdit2);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &Tplanet::ComboBox1Change);
}

void Tplanet::FormShow() {
    const PlanetDialogOpening opening = planetDialogOpening(tables(), index());
    const PlanetDialogValues& v = opening.values;
    // Filling is no choice of the user's: the stored model stays.
    const QSignalBlocker block(ComboBox1);
    Edit1->setText(fromModel(v.name));
    showText(ComboBox1, v.type);
    SpinEdit1->setValue(v.diameter);
    showText(ComboBox3, v.owner);
    showText(ComboBox4, v.race);
    SpinEdit2->setValue(v.population);
    if (opening.models) setChoices(ComboBox6, *opening.models);
    showText(ComboBox6, v.model);
    setChoices(ComboBox2, opening.orbitChoices);
    showText(ComboBox2, v.orbitsAround);
}

void Tplanet::ComboBox1Change(const QString& type) {
    // A type typed by hand that is none of the list leaves the models as they are.
    const auto models = planetModels(toModel(type));
    if (!models) return;
    setChoices(ComboBox6, modelList(*models));
    showText(ComboBox6, kModelOnTypeChange);
}

bool Tplanet::confirm() {
    return document().confirmDialog(PlanetDialogValues{
        toModel(Edit1->text()), textOf(ComboBox1), textOf(ComboBox6), textOf(ComboBox2),
        SpinEdit1->value(), textOf(ComboBox3), textOf(ComboBox4), SpinEdit2->value()});
}

}  // namespace mw::ui
