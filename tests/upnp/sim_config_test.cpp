// SPDX-License-Identifier: MIT
// The UPnP simulator's configuration and the documents it serves.
#include "sim/upnp/camera_config.h"
#include "sim/upnp/description_document.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace SimUpnp;

namespace {

// Counts elements named `name` anywhere in a document.
int Count(const QByteArray& xml, const char* name)
{
    QXmlStreamReader reader(xml);
    int n = 0;
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String(name))
            ++n;
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return n;
}

QString Text(const QByteArray& xml, const char* name)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String(name))
            return reader.readElementText();
    return QStringLiteral("<missing>");
}

} // namespace

TEST(SimUpnpConfig, ReadsCamerasOverPresets)
{
    QString error;
    const auto cameras = CamerasFromJson(R"json({"cameras":[
        {"preset":"vivotek","friendlyName":"Gate (east)","httpPort":8081},
        {"manufacturer":"AXIS","presentationUrl":null,"services":0,"icon":false}]})json", error);
    ASSERT_TRUE(cameras) << error.toStdString();
    ASSERT_EQ(cameras->size(), 2u);
    EXPECT_EQ((*cameras)[0].friendlyName, QStringLiteral("Gate (east)"));
    EXPECT_EQ((*cameras)[0].manufacturer, QStringLiteral("Vivotek")); // from the preset
    EXPECT_EQ((*cameras)[0].services, 4);
    EXPECT_EQ((*cameras)[0].httpPort, 8081);
    EXPECT_FALSE((*cameras)[1].presentationUrl);
    EXPECT_FALSE((*cameras)[1].friendlyName);
    EXPECT_FALSE((*cameras)[1].icon);
}

TEST(SimUpnpConfig, RejectsWhatItCannotServe)
{
    const char* bad[] = {
        "not json",
        R"({"devices":[]})",
        R"({"cameras":[1]})",
        R"({"cameras":[{"friendlyname":"typo"}]})",
        R"({"cameras":[{"preset":"sony"}]})",
        R"({"cameras":[{"services":-1}]})",
        R"({"cameras":[{"services":2.5}]})",
        R"({"cameras":[{"embeddedDevices":1000}]})",
        R"({"cameras":[{"httpPort":70000}]})",
        R"({"cameras":[{"friendlyName":7}]})",
        R"({"cameras":[{"icon":"yes"}]})",
        R"({"cameras":[{"serving":"slow"}]})",
        R"({"cameras":[{"modelDescriptionBytes":300000000}]})",
    };
    for (const char* json : bad) {
        QString error;
        EXPECT_FALSE(CamerasFromJson(json, error)) << json;
        EXPECT_FALSE(error.isEmpty()) << json;
    }
}

TEST(SimUpnpConfig, DescriptionListsServicesDevicesAndEscapesTexts)
{
    CameraConfig camera = *PresetCamera(QStringLiteral("vivotek"));
    camera.udn = QStringLiteral("uuid:test-1");
    camera.friendlyName = QStringLiteral("R&D <lab> (2nd)");
    const QByteArray xml = DescriptionDocument(camera, QStringLiteral("10.77.1.2"), 49152);
    EXPECT_EQ(Count(xml, "service"), 4);
    EXPECT_EQ(Count(xml, "device"), 3); // the root and two embedded devices
    EXPECT_EQ(Count(xml, "icon"), 1);
    EXPECT_EQ(Text(xml, "friendlyName"), QStringLiteral("R&D <lab> (2nd)"));
    EXPECT_EQ(Text(xml, "presentationURL"), QStringLiteral("http://10.77.1.2:49152/index.html"));
    EXPECT_EQ(Text(xml, "UDN"), QStringLiteral("uuid:test-1"));

    // Unset texts are left out rather than written empty.
    camera.modelNumber.reset();
    camera.presentationUrl.reset();
    camera.services = 0;
    const QByteArray sparse = DescriptionDocument(camera, QStringLiteral("10.77.1.2"), 80);
    EXPECT_EQ(Count(sparse, "modelNumber"), 0);
    EXPECT_EQ(Count(sparse, "presentationURL"), 0);
    EXPECT_EQ(Count(sparse, "serviceList"), 0);
}

TEST(SimUpnpConfig, PresetsCoverTheMakersAndPorts)
{
    EXPECT_EQ(PresetCamera(QStringLiteral("axis"))->manufacturer, QStringLiteral("AXIS"));
    EXPECT_EQ(PresetCamera(QStringLiteral("vivotek"))->embeddedDevices, 2);
    EXPECT_EQ(PresetCamera(QStringLiteral("axis-port80"))->httpPort, 80);
    EXPECT_EQ(ExpandUrl(*PresetCamera(QStringLiteral("axis-port80"))->presentationUrl, QStringLiteral("h"), 80),
              QStringLiteral("http://h/index.html"));
    EXPECT_FALSE(PresetCamera(QStringLiteral("none")));
    for (const QString& name : PresetNames())
        EXPECT_TRUE(PresetCamera(name)) << name.toStdString();
    // The GIF is whole: signature, 32 x 32 screen, trailer.
    const QByteArray gif = IconGif();
    EXPECT_TRUE(gif.startsWith("GIF89a"));
    EXPECT_EQ(static_cast<unsigned char>(gif[6]), 32);
    EXPECT_EQ(gif.back(), ';');
}
