// SPDX-License-Identifier: MIT
#include "sim/upnp/description_document.h"

#include <QXmlStreamWriter>

namespace SimUpnp {

namespace {

void Element(QXmlStreamWriter& xml, const char* name, const std::optional<QString>& text)
{
    if (text)
        xml.writeTextElement(QLatin1String(name), *text);
}

void Element(QXmlStreamWriter& xml, const char* name, const QString& text)
{
    xml.writeTextElement(QLatin1String(name), text);
}

void Embedded(QXmlStreamWriter& xml, const CameraConfig& camera, int index)
{
    xml.writeStartElement(QStringLiteral("device"));
    Element(xml, "deviceType", QStringLiteral("urn:quendrel-sim:device:Part:1"));
    Element(xml, "friendlyName", camera.friendlyName.value_or(QStringLiteral("device")) +
                                     QStringLiteral(" part %1").arg(index));
    Element(xml, "manufacturer", camera.manufacturer);
    Element(xml, "modelName", QStringLiteral("part %1").arg(index));
    Element(xml, "UDN", camera.udn + QStringLiteral("-part%1").arg(index));
    xml.writeEndElement();
}

} // namespace

QString ServiceFile(int index)
{
    return QStringLiteral("scpd%1.xml").arg(index);
}

QString ExpandUrl(const QString& pattern, const QString& host, int port)
{
    QString url = pattern;
    url.replace(QLatin1String("{host}"), host);
    url.replace(QLatin1String("{port}"), QString::number(port));
    return url;
}

QByteArray DescriptionDocument(const CameraConfig& camera, const QString& host, int port)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("root"));
    xml.writeDefaultNamespace(QStringLiteral("urn:schemas-upnp-org:device-1-0"));
    xml.writeStartElement(QStringLiteral("specVersion"));
    Element(xml, "major", QStringLiteral("1"));
    Element(xml, "minor", QStringLiteral("0"));
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("device"));
    Element(xml, "deviceType", camera.deviceType);
    Element(xml, "friendlyName", camera.friendlyName);
    Element(xml, "manufacturer", camera.manufacturer);
    Element(xml, "manufacturerURL", camera.manufacturerUrl);
    Element(xml, "modelDescription", camera.modelDescription);
    Element(xml, "modelName", camera.modelName);
    Element(xml, "modelNumber", camera.modelNumber);
    Element(xml, "modelURL", camera.modelUrl);
    Element(xml, "serialNumber", camera.serialNumber);
    Element(xml, "UDN", camera.udn);
    Element(xml, "UPC", camera.upc);
    if (camera.icon) {
        xml.writeStartElement(QStringLiteral("iconList"));
        xml.writeStartElement(QStringLiteral("icon"));
        Element(xml, "mimetype", QStringLiteral("image/gif"));
        Element(xml, "width", QStringLiteral("32"));
        Element(xml, "height", QStringLiteral("32"));
        Element(xml, "depth", QStringLiteral("8"));
        Element(xml, "url", QStringLiteral("/") + QLatin1String(kIconFile));
        xml.writeEndElement();
        xml.writeEndElement();
    }
    if (camera.services > 0) {
        xml.writeStartElement(QStringLiteral("serviceList"));
        for (int i = 1; i <= camera.services; ++i) {
            xml.writeStartElement(QStringLiteral("service"));
            Element(xml, "serviceType", QStringLiteral("urn:quendrel-sim:service:Sim%1:1").arg(i));
            Element(xml, "serviceId", QStringLiteral("urn:quendrel-sim:serviceId:sim%1").arg(i));
            Element(xml, "SCPDURL", QStringLiteral("/") + ServiceFile(i));
            Element(xml, "controlURL", QStringLiteral("/control%1").arg(i));
            Element(xml, "eventSubURL", QStringLiteral("/event%1").arg(i));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    if (camera.embeddedDevices > 0) {
        xml.writeStartElement(QStringLiteral("deviceList"));
        for (int i = 1; i <= camera.embeddedDevices; ++i)
            Embedded(xml, camera, i);
        xml.writeEndElement();
    }
    if (camera.presentationUrl)
        Element(xml, "presentationURL", ExpandUrl(*camera.presentationUrl, host, port));
    xml.writeEndElement(); // device
    xml.writeEndElement(); // root
    xml.writeEndDocument();
    return out;
}

QByteArray ServiceDocument()
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("scpd"));
    xml.writeDefaultNamespace(QStringLiteral("urn:schemas-upnp-org:service-1-0"));
    xml.writeStartElement(QStringLiteral("specVersion"));
    Element(xml, "major", QStringLiteral("1"));
    Element(xml, "minor", QStringLiteral("0"));
    xml.writeEndElement();
    xml.writeEmptyElement(QStringLiteral("actionList"));
    xml.writeEmptyElement(QStringLiteral("serviceStateTable"));
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

QByteArray PresentationPage(const CameraConfig& camera)
{
    const QString name = camera.friendlyName.value_or(QStringLiteral("camera")).toHtmlEscaped();
    return QStringLiteral("<!DOCTYPE html>\n<html><head><title>%1</title></head>"
                          "<body><h1>%1</h1><p>Simulated UPnP camera.</p></body></html>\n")
        .arg(name)
        .toUtf8();
}

QByteArray IconGif()
{
    // Logical screen 32 x 32 with a black-and-white table; one pixel image
    // at 0,0, the rest shows the background colour.
    static const unsigned char bytes[] = {
        'G', 'I', 'F', '8', '9', 'a', 0x20, 0x00, 0x20, 0x00, 0x80, 0x00, 0x00,
        0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF,
        0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00,
        0x02, 0x02, 0x44, 0x01, 0x00,
        0x3B};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

} // namespace SimUpnp
