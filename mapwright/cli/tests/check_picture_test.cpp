// mapwright check --picture as a process: the map picture as PNG and SVG,
// without a display.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QXmlStreamReader>
#include <map>
#include <string>
#include <vector>

#include "check_command_run.h"

using namespace check_command;

namespace {

// Ten systems in a ring, each linked both ways with its neighbours.
TEST_F(CheckCommand, PictureIsAValidPngOrSvgWithOneLabelledNodePerSystem) {
    const std::vector<std::string> names = {"Aldebaran", "Bellatrix", "Capella", "Denebola",
                                            "Electra",   "Fomalhaut", "Gemma",   "Hamal",
                                            "Izar",      "Jabbah"};
    std::vector<std::pair<std::string, std::vector<mw::SdfRecord>>> systems;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& next = names[(i + 1) % names.size()];
        const std::string& prev = names[(i + names.size() - 1) % names.size()];
        systems.push_back(
            {names[i],
             {sunRecord(names[i]), jumpNode(names[i] + "Jumpnode1", next + "Jumpnode2"),
              jumpNode(names[i] + "Jumpnode2", prev + "Jumpnode1")}});
    }
    const std::string project = writeMap(systems);

    const vk_test::RunResult png = run({project, "--picture", "map.png"});
    ASSERT_EQ(png.status, 0) << png.out << png.err;
    EXPECT_EQ(png.err, "");
    QImageReader reader(QString::fromStdString(dir_.path("map.png")));
    EXPECT_EQ(reader.format(), "png");
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_GT(image.width(), 200);
    EXPECT_GT(image.height(), 200);

    ASSERT_EQ(run({project, "--picture", "map.svg"}).status, 0);
    const std::string svg = dir_.read("map.svg");
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    int circles = 0;
    std::map<std::string, int> texts;
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QLatin1String("svg"));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("circle")) ++circles;
        if (xml.name() == QLatin1String("text")) ++texts[xml.readElementText().toStdString()];
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(circles, 10);
    for (const std::string& name : names) EXPECT_EQ(texts[name], 1) << name;

    // Neither kind: nothing is written and the map is not called checked.
    const vk_test::RunResult bad = run({project, "--picture", "map.jpg"});
    EXPECT_EQ(bad.status, 3);
    EXPECT_FALSE(dir_.exists("map.jpg"));
}

}  // namespace
