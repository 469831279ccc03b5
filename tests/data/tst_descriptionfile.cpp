// Consistency of the sensor family's description file: the plug-in, the
// simulator and every device test run on it, and the plug-in's rules address
// its parameters by id, by position and by device value.

#include "comm/masterframes.h"
#include "device/enummapping.h"

#include <QtTest>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace pt = boost::property_tree;

namespace {

const char *const kDocumentId = "IoLinkK4Kv7family";
namespace Proto = DirazSensorPlugin::Core;

const int kObjectInfoIndex = Proto::ObjectInfoIndex;
const int kSystemCommandIndex = Proto::SystemCommandIndex;
const int kProductNameIndex = Proto::ProductNameIndex;

struct Node
{
    const pt::ptree *tree = nullptr;
    std::string type;
    std::string id;
    std::string parentId;
    bool attached = true; // visible itself and every ancestor visible
};

struct Address
{
    long long index = -1;
    long long subIndex = -1;
    long long size = -1;
};

std::string key(const pt::ptree &tree, const std::string &path)
{
    return tree.get<std::string>(path, "");
}

// The plug-in reads values untrimmed; a number with blanks or trailing text
// would be taken as 0 there, so only a bare decimal passes.
bool parseInteger(const std::string &text, long long &value)
{
    if (text.empty() || text.find_first_of(" \t\r\n") != std::string::npos)
        return false;
    errno = 0;
    char *end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && end && *end == '\0';
}

bool parseDecimal(const std::string &text, double &value)
{
    if (text.empty() || text.find_first_of(" \t\r\n") != std::string::npos)
        return false;
    char *end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}

bool parseAddress(const pt::ptree &node, Address &address)
{
    return parseInteger(key(node, "index"), address.index)
            && parseInteger(key(node, "subIndex"), address.subIndex)
            && parseInteger(key(node, "size"), address.size);
}

// Largest device value a parameter of this size carries.
long long capacity(long long size)
{
    switch (size) {
    case 6: return 0xFF;
    case 7: return 0xFFFF;
    case 9: return 0x7FFFFFFF; // the read parses eight digits as a signed number
    default: return -1;
    }
}

// Entry position -> device value; the wide error-warning list is the longest.
long long deviceValue(const std::string &id, long long index)
{
    return Proto::enumDeviceValue(QString::fromStdString(id), int(index), QStringLiteral("4M6"));
}

const std::vector<std::pair<int, std::string>> &flagTable()
{
    static const std::vector<std::pair<int, std::string>> table = {
        {29, "ShortCircuit"}, {28, "Undervoltage"}, {22, "SpeedMesure"}, {21, "AnalogError"},
        {20, "TempWarnLow"}, {19, "TempWarnHigh"}, {18, "TempError"}, {17, "FatalError"},
        {8, "LightOff"}, {6, "NoData"}, {5, "TooFar"}, {4, "TooClose"}, {3, "AmbientLight"},
        {2, "ContamonatinRange"}, {1, "ContamonatinOptic"}};
    return table;
}

QString q(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

class TstDescriptionFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void documentIdentity();
    void ruleIds_data();
    void ruleIds();
    void nodeKeys();
    void idsAreUnique();
    void captions();
    void addresses();
    void sharedAddresses();
    void standardIndexes_data();
    void standardIndexes();
    void freeTextOnlyForTags();
    void valuesFitSize();
    void defaultsWithinLimits();
    void enumerationEntries_data();
    void enumerationEntries();
    void flagWords_data();
    void flagWords();
    void ruleTargetsAttached();
    void processDataPositions_data();
    void processDataPositions();
    void processDataEntries();
    void catalogue();
    void catalogueCoversVariants();

private:
    void collect(const pt::ptree &node, const std::string &parentId, bool parentAttached);
    std::vector<const Node *> nodesWithId(const std::string &id) const;
    const Node *node(const std::string &id) const;

    std::string m_path;
    std::string m_rawText;
    pt::ptree m_document;    // as the parameter tree reads it: comments dropped, blanks kept
    pt::ptree m_catalogue;   // as the catalogue reads it: comments dropped, blanks trimmed
    std::vector<Node> m_nodes;
};

void TstDescriptionFile::initTestCase()
{
    const QByteArray source = qgetenv("K4K_SOURCE");
    QVERIFY2(!source.isEmpty(), "K4K_SOURCE is not set");
    m_path = source.toStdString() + "/data/" + kDocumentId + ".xml";

    std::ifstream in(m_path);
    QVERIFY2(in.good(), m_path.c_str());
    std::stringstream raw;
    raw << in.rdbuf();
    m_rawText = raw.str();

    try {
        pt::read_xml(m_path, m_document, pt::xml_parser::no_comments);
        pt::read_xml(m_path, m_catalogue, pt::xml_parser::no_comments | pt::xml_parser::trim_whitespace);
    } catch (const pt::ptree_error &error) {
        QFAIL(error.what());
    }

    const auto top = m_document.get_child_optional("document.treeGui.default");
    QVERIFY2(top, "no document.treeGui.default");
    for (const auto &child : *top)
        collect(child.second, std::string(), true);
    QVERIFY(m_nodes.size() > 100);
}

void TstDescriptionFile::collect(const pt::ptree &tree, const std::string &parentId, bool parentAttached)
{
    Node n;
    n.tree = &tree;
    n.type = key(tree, "type");
    n.id = key(tree, "id");
    n.parentId = parentId;
    n.attached = parentAttached && tree.get<std::string>("visible", "true") == "true";
    m_nodes.push_back(n);
    for (const auto &child : tree) {
        if (child.first == "property")
            collect(child.second, n.id, n.attached);
    }
}

std::vector<const Node *> TstDescriptionFile::nodesWithId(const std::string &id) const
{
    std::vector<const Node *> found;
    for (const Node &n : m_nodes) {
        if (n.id == id)
            found.push_back(&n);
    }
    return found;
}

const Node *TstDescriptionFile::node(const std::string &id) const
{
    const auto found = nodesWithId(id);
    return found.size() == 1 ? found.front() : nullptr;
}

void TstDescriptionFile::documentIdentity()
{
    QCOMPARE(q(key(m_document, "document.documentId")), QString(kDocumentId));
    QVERIFY(m_document.get_child_optional("document.guiCategory.default"));
}

void TstDescriptionFile::ruleIds_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("kind");

    auto row = [](const QString &id, const char *kind) { QTest::newRow(qPrintable(id)) << id << QString(kind); };

    for (const char *id : {"PinFunctionA1", "PinFunctionA2", "PinFunctionA3", "TeachInMode1", "TeachInMode2",
                           "NONCA1", "NONCA2", "NPNPNP1", "NPNPNP2", "InputMode1", "InputMode2", "InputMode3",
                           "Sensitivity", "MesurementUnit", "ObjectInfo", "LanguageDevice",
                           "Bluetooth", "TeachLoked", "TeachStatus", "AnalogMode", "AnalogSubt",
                           "MeasuringDataChannel", "ErrorWarning1", "ErrorWarning2", "ErrorWarning3",
                           "ErrorWarning4", "TestMode", "TestA1", "TestA2", "SimulationDistanceValue",
                           "SimulationAnalogOutput", "SimulationWarning", "SimulationContamination",
                           "SimulatioContaminationRange", "SimulationAmbient", "SimulationFatalError",
                           "SimulationTemperatureError", "SimulationTemperatureWarningHigh",
                           "SimulationTemperatureWarningLow", "SimulationUndervoltage", "SimulationShortCircuit",
                           "SimulationAccelerationSensor"})
        row(id, "enumerator");
    row("IntensitySCC1", "int");
    row("IntensitySCC2", "int");

    // Distances are converted between millimetres and inches and clamped to the variant's range.
    for (const char *id : {"SwitchingThresholdA1", "SwitchingThresholdA2", "LowerThresholdA1", "LowerThresholdA2",
                           "UpperThresholdA1", "UpperThresholdA2", "HysteresisA1", "HysteresisA2",
                           "DetectionRangeNear", "DetectionRangeFar", "analog0V", "analog10V",
                           "SimulationMeasurementValue", "SSC1JumpHeightMin", "SSC1JumpHeightMax",
                           "SSC2JumpHeightMin", "SSC2JumpHeightMax"})
        row(id, "double");

    for (const char *id : {"OnDelay1", "OnDelay2", "OffDelay1", "OffDelay2", "CrashCounter",
                           "SimulaionAnalogVoltage", "SimulaionAnalogCurrent"})
        row(id, "int");

    for (int k = 1; k <= 2; ++k) {
        const QString ssc = QString("SSC%1").arg(k);
        row(ssc + "JumpDirection", "enumerator");
        for (const char *suffix : {"CycleOffset", "JumpImpulse", "DistanceWindow", "IntensitySwitchPoint",
                                   "IntensityWindow", "IntensityHysteresis"})
            row(ssc + suffix, "int");
    }

    for (const char *id : {"TEACHBUTTON1", "TEACHBUTTON2", "TEACHBUTTON13", "TEACHBUTTON14", "TEACHBUTTON22",
                           "TEACHBUTTON23", "ANALOGTEACHBUTTON1", "ANALOGTEACHBUTTON2", "DEVICEBUTTON",
                           "APPBUTTON", "BACKTOBOXBUTTON"})
        row(id, "action");

    for (const char *id : {"Output1Settings", "Output2Settings", "Output3Settings"})
        row(id, "category");

    row("SignalWarning", "bool");
    row("ErrSignalWarning", "bool");
    for (const auto &flag : flagTable()) {
        row(QString("BOOL") + flag.second.c_str(), "bool");
        row(QString("BOOLErr") + flag.second.c_str(), "bool");
    }

    for (const char *id : {"FunctionTag", "LocationTag", "AppSpecificTag", "FirmwareRevisionReadOnly",
                           "HardwareRevisionReadOnly", "SensorNumberReadOnly", "SerialNumberReadOnly"})
        row(id, "string");
}

void TstDescriptionFile::ruleIds()
{
    QFETCH(QString, id);
    QFETCH(QString, kind);

    const auto found = nodesWithId(id.toStdString());
    QVERIFY2(!found.empty(), qPrintable("missing id " + id));
    QCOMPARE(int(found.size()), 1);
    QCOMPARE(q(found.front()->type), kind);
}

void TstDescriptionFile::nodeKeys()
{
    static const std::set<std::string> kinds = {"category", "enumerator", "int", "double", "bool", "action",
                                                "string"};
    int hidden = 0;
    int disabled = 0;
    bool selfReadOnly = false;
    for (const Node &n : m_nodes) {
        const QString where = q(n.id.empty() ? "(no id) below " + n.parentId : n.id);
        QVERIFY2(kinds.count(n.type), qPrintable(where + ": unknown type '" + q(n.type) + "'"));
        QVERIFY2(!n.id.empty() && n.id.find_first_of(" \t\r\n") == std::string::npos,
                 qPrintable(where + ": empty id or id with blanks"));
        QVERIFY2(n.id != "root", "the id root belongs to the tree's own root");
        const std::string readonly = n.tree->get<std::string>("readonly", "false");
        const std::string visible = n.tree->get<std::string>("visible", "true");
        QVERIFY2(readonly == "true" || readonly == "false", qPrintable(where + ": readonly '" + q(readonly) + "'"));
        QVERIFY2(visible == "true" || visible == "false", qPrintable(where + ": visible '" + q(visible) + "'"));
        hidden += visible == "false";
        disabled += readonly == "true";
        if (n.id.find("SelfReadOnly") != std::string::npos) {
            selfReadOnly = true;
            QCOMPARE(q(n.type), QString("string"));
        }
        // Read-only texts must say so: without the key they start enabled.
        if (n.type == "string" && key(*n.tree, "isString") != "true")
            QVERIFY2(readonly == "true", qPrintable(where + ": a text without items must be read-only"));
        // Editable numbers need readonly false, or they carry the read-only marker.
        if ((n.type == "int" || n.type == "double") && readonly == "true")
            QVERIFY2(n.id == "CrashCounter", qPrintable(where + ": unexpected read-only number"));
    }
    QVERIFY2(hidden > 0, "a real device has service parameters that stay hidden");
    QVERIFY2(disabled > 0, "a real device has parameters that cannot be edited");
    QVERIFY2(selfReadOnly, "no counter kept by the device (id with SelfReadOnly)");
}

void TstDescriptionFile::idsAreUnique()
{
    std::map<std::string, int> count;
    for (const Node &n : m_nodes)
        ++count[n.id];
    for (const auto &entry : count)
        QVERIFY2(entry.second == 1, qPrintable(q(entry.first) + QString(" used %1 times").arg(entry.second)));
}

void TstDescriptionFile::captions()
{
    auto bothLanguages = [](const pt::ptree &tree, const std::string &prefix) {
        return !key(tree, prefix + "en").empty() && !key(tree, prefix + "de").empty();
    };
    for (const Node &n : m_nodes) {
        QVERIFY2(bothLanguages(*n.tree, "text."), qPrintable(q(n.id) + ": caption without en or de"));
        if (n.type == "action")
            QVERIFY2(bothLanguages(*n.tree, "caption.text."), qPrintable(q(n.id) + ": button label without en or de"));
        if (n.type == "enumerator") {
            const auto items = n.tree->get_child_optional("items");
            QVERIFY2(items && !items->empty(), qPrintable(q(n.id) + ": enumeration without entries"));
            int position = 0;
            for (const auto &item : *items) {
                QVERIFY2(bothLanguages(item.second, ""),
                         qPrintable(q(n.id) + QString(": entry %1 without en or de").arg(position)));
                ++position;
            }
        }
    }
    for (const auto &entry : m_document.get_child("document.guiCategory.default"))
        QVERIFY2(bothLanguages(entry.second, "text."),
                 qPrintable(q(key(entry.second, "id")) + ": process-data caption without en or de"));
}

void TstDescriptionFile::addresses()
{
    for (const Node &n : m_nodes) {
        const QString where = q(n.id);
        Address a;
        if (n.type == "category") {
            QVERIFY2(!n.tree->get_child_optional("index"), qPrintable(where + ": a category has no address"));
            continue;
        }
        QVERIFY2(parseAddress(*n.tree, a), qPrintable(where + ": index;subIndex;size not three bare numbers"));
        QVERIFY2(a.index >= 0 && a.index <= 0xFFFF, qPrintable(where + ": index out of range"));
        QVERIFY2(a.subIndex >= 0 && a.subIndex <= 0xFF, qPrintable(where + ": subIndex out of range"));
        QVERIFY2(a.index != kObjectInfoIndex, qPrintable(where + ": index of the object information block"));
        if (a.index == kSystemCommandIndex)
            QVERIFY2(n.id == "DEVICEBUTTON" || n.id == "APPBUTTON" || n.id == "BACKTOBOXBUTTON",
                     qPrintable(where + ": only device actions use the system command index"));
        if (a.index == kProductNameIndex)
            QVERIFY2(n.id == "SensorNumberReadOnly", qPrintable(where + ": the product name index is taken"));

        if (n.type == "string") {
            const long long expected = n.id.find("SelfReadOnly") != std::string::npos ? 9 : 32;
            QVERIFY2(a.size == expected, qPrintable(where + QString(": text size %1").arg(a.size)));
        } else if (n.type == "int") {
            // The read takes two octets for every size but 8.
            QVERIFY2(a.size == 6 || a.size == 7, qPrintable(where + QString(": int of size %1").arg(a.size)));
        } else {
            QVERIFY2(a.size == 6 || a.size == 7 || a.size == 9,
                     qPrintable(where + QString(": size %1").arg(a.size)));
        }
        if (n.type == "action")
            QCOMPARE(a.size, 6LL);
    }
}

void TstDescriptionFile::sharedAddresses()
{
    // Flags write their whole word; teach buttons are values of one teach
    // command; the distance simulation switch and value are one parameter.
    std::set<std::set<std::string>> intended = {
        {"TEACHBUTTON1", "TEACHBUTTON13", "TEACHBUTTON14"},
        {"TEACHBUTTON2", "TEACHBUTTON22", "TEACHBUTTON23"},
        {"ANALOGTEACHBUTTON1", "ANALOGTEACHBUTTON2"},
        {"DEVICEBUTTON", "APPBUTTON", "BACKTOBOXBUTTON"},
        {"SimulationDistanceValue", "SimulationMeasurementValue"},
    };
    std::set<std::string> status = {"SignalWarning"};
    std::set<std::string> mask = {"ErrSignalWarning"};
    for (const auto &flag : flagTable()) {
        status.insert("BOOL" + flag.second);
        mask.insert("BOOLErr" + flag.second);
    }
    intended.insert(status);
    intended.insert(mask);

    std::map<std::pair<long long, long long>, std::set<std::string>> byAddress;
    std::map<std::pair<long long, long long>, std::set<long long>> sizes;
    for (const Node &n : m_nodes) {
        Address a;
        if (n.type == "category" || !parseAddress(*n.tree, a))
            continue;
        byAddress[{a.index, a.subIndex}].insert(n.id);
        sizes[{a.index, a.subIndex}].insert(a.size);
    }
    std::set<std::set<std::string>> shared;
    for (const auto &entry : byAddress) {
        if (entry.second.size() < 2)
            continue;
        QString ids;
        for (const auto &id : entry.second)
            ids += q(id) + " ";
        QVERIFY2(intended.count(entry.second),
                 qPrintable(QString("unintended shared address %1;%2: ").arg(entry.first.first)
                                    .arg(entry.first.second) + ids));
        QVERIFY2(sizes[entry.first].size() == 1, qPrintable("different sizes at one address: " + ids));
        shared.insert(entry.second);
    }
    QCOMPARE(shared.size(), intended.size());
}

void TstDescriptionFile::standardIndexes_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("index");
    QTest::newRow("product name") << "SensorNumberReadOnly" << 0x12;
    QTest::newRow("serial number") << "SerialNumberReadOnly" << 0x15;
    QTest::newRow("hardware revision") << "HardwareRevisionReadOnly" << 0x16;
    QTest::newRow("firmware revision") << "FirmwareRevisionReadOnly" << 0x17;
    QTest::newRow("application tag") << "AppSpecificTag" << 24;
    QTest::newRow("function tag") << "FunctionTag" << 25;
    QTest::newRow("location tag") << "LocationTag" << 26;
    QTest::newRow("device reset") << "DEVICEBUTTON" << kSystemCommandIndex;
    QTest::newRow("application reset") << "APPBUTTON" << kSystemCommandIndex;
    QTest::newRow("back to box") << "BACKTOBOXBUTTON" << kSystemCommandIndex;
}

void TstDescriptionFile::standardIndexes()
{
    QFETCH(QString, id);
    QFETCH(int, index);
    const Node *n = node(id.toStdString());
    QVERIFY2(n, qPrintable("missing id " + id));
    Address a;
    QVERIFY(parseAddress(*n->tree, a));
    QCOMPARE(a.index, static_cast<long long>(index));
    QCOMPARE(a.subIndex, 0LL);
}

void TstDescriptionFile::freeTextOnlyForTags()
{
    // A free text is written to index 24 unless it is the function or location
    // tag, so any other free text would overwrite the application tag.
    std::set<std::string> freeTexts;
    for (const Node &n : m_nodes) {
        if (n.type == "string" && key(*n.tree, "isString") == "true")
            freeTexts.insert(n.id);
        if (n.type == "string")
            QVERIFY2(n.tree->get_child_optional("defaultvalue"), qPrintable(q(n.id) + ": text without default"));
    }
    QCOMPARE(freeTexts, (std::set<std::string>{"AppSpecificTag", "FunctionTag", "LocationTag"}));
}

void TstDescriptionFile::valuesFitSize()
{
    for (const Node &n : m_nodes) {
        Address a;
        if (n.type == "category" || n.type == "string" || !parseAddress(*n.tree, a))
            continue;
        const long long limit = capacity(a.size);
        const QString where = q(n.id) + QString(" (size %1)").arg(a.size);
        if (n.type == "int" || n.type == "double") {
            double max = 0;
            double min = 0;
            QVERIFY2(parseDecimal(key(*n.tree, "max"), max) && parseDecimal(key(*n.tree, "min"), min),
                     qPrintable(where + ": min/max"));
            QVERIFY2(min >= 0 && max <= limit, qPrintable(where + ": limits do not fit"));
        } else if (n.type == "enumerator") {
            const long long entries = static_cast<long long>(n.tree->get_child("items").size());
            for (long long i = 0; i < entries; ++i) {
                const long long value = deviceValue(n.id, i);
                QVERIFY2(value >= 0 && value <= limit,
                         qPrintable(where + QString(": entry %1 has device value %2").arg(i).arg(value)));
            }
        } else if (n.type == "bool" && n.id.find("BOOL") == std::string::npos) {
            // Both flag words hold bits up to 29.
            QVERIFY2(a.size == 9, qPrintable(where + ": a flag word needs four octets"));
        }
    }
    // The far limit's "off" codes must travel too.
    for (const char *id : {"DetectionRangeFar", "DetectionRangeNear"}) {
        const Node *n = node(id);
        QVERIFY(n);
        Address a;
        QVERIFY(parseAddress(*n->tree, a));
        QVERIFY2(capacity(a.size) >= 130000, id);
    }
}

void TstDescriptionFile::defaultsWithinLimits()
{
    for (const Node &n : m_nodes) {
        const QString where = q(n.id);
        const std::string text = key(*n.tree, "defaultvalue");
        if (n.type == "int" || n.type == "double") {
            double min = 0, max = 0, value = 0;
            long long whole = 0;
            QVERIFY2(parseDecimal(key(*n.tree, "min"), min) && parseDecimal(key(*n.tree, "max"), max),
                     qPrintable(where + ": min/max"));
            QVERIFY2(min < max, qPrintable(where + ": empty range"));
            if (n.type == "int") {
                QVERIFY2(parseInteger(key(*n.tree, "min"), whole) && parseInteger(key(*n.tree, "max"), whole),
                         qPrintable(where + ": integer limits"));
                QVERIFY2(parseInteger(text, whole), qPrintable(where + ": default '" + q(text) + "'"));
                value = double(whole);
            } else {
                QVERIFY2(parseDecimal(text, value), qPrintable(where + ": default '" + q(text) + "'"));
            }
            QVERIFY2(value >= min && value <= max, qPrintable(where + ": default " + q(text) + " outside limits"));
        } else if (n.type == "enumerator") {
            long long index = -1;
            QVERIFY2(parseInteger(text, index), qPrintable(where + ": default '" + q(text) + "'"));
            const long long entries = static_cast<long long>(n.tree->get_child("items").size());
            QVERIFY2(index >= 0 && index < entries, qPrintable(where + ": default entry does not exist"));
            // High-range models lose these entries; a default there would not survive.
            if (n.id == "MesurementUnit")
                QVERIFY(index < 3);
            if (n.id == "TeachInMode1" || n.id == "TeachInMode2")
                QVERIFY(index < 4);
            if (n.id.find("ErrorWarning") != std::string::npos)
                QVERIFY2(index < 12, "entry 12 exists on analog variants only");
        } else if (n.type == "bool") {
            QVERIFY2(text == "0" || text == "1", qPrintable(where + ": default '" + q(text) + "'"));
        }
    }
}

void TstDescriptionFile::enumerationEntries_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("entries");
    QTest::newRow("PinFunctionA1") << "PinFunctionA1" << 7;
    QTest::newRow("PinFunctionA2") << "PinFunctionA2" << 7;
    QTest::newRow("PinFunctionA3") << "PinFunctionA3" << 3;
    QTest::newRow("TeachInMode1") << "TeachInMode1" << 5;
    QTest::newRow("TeachInMode2") << "TeachInMode2" << 5;
    QTest::newRow("MesurementUnit") << "MesurementUnit" << 4;
    QTest::newRow("LanguageDevice") << "LanguageDevice" << 3;
    QTest::newRow("ObjectInfo") << "ObjectInfo" << 2;
    QTest::newRow("TeachLoked") << "TeachLoked" << 2;
    QTest::newRow("SimulationDistanceValue") << "SimulationDistanceValue" << 2;
    QTest::newRow("SSC1JumpDirection") << "SSC1JumpDirection" << 3;
    QTest::newRow("SSC2JumpDirection") << "SSC2JumpDirection" << 3;
    for (int k = 1; k <= 4; ++k) {
        const QString id = QString("ErrorWarning%1").arg(k);
        QTest::newRow(qPrintable(id)) << id << 17;
    }
}

void TstDescriptionFile::enumerationEntries()
{
    QFETCH(QString, id);
    QFETCH(int, entries);
    const Node *n = node(id.toStdString());
    QVERIFY2(n, qPrintable("missing id " + id));
    const auto items = n->tree->get_child_optional("items");
    QVERIFY(items);
    QCOMPARE(int(items->size()), entries);

    // The four selectors share one list that the variant trims to the same length.
    if (id.startsWith("ErrorWarning") && id != "ErrorWarning1") {
        const auto first = node("ErrorWarning1")->tree->get_child("items");
        auto a = first.begin();
        for (auto b = items->begin(); b != items->end(); ++a, ++b)
            QCOMPARE(q(key(b->second, "en")), q(key(a->second, "en")));
    }
}

void TstDescriptionFile::flagWords_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("status word") << "SignalWarning" << "BOOL";
    QTest::newRow("error mask") << "ErrSignalWarning" << "BOOLErr";
}

void TstDescriptionFile::flagWords()
{
    QFETCH(QString, word);
    QFETCH(QString, prefix);

    std::set<std::string> expected;
    for (const auto &flag : flagTable())
        expected.insert(prefix.toStdString() + flag.second);

    std::set<std::string> children;
    for (const Node &n : m_nodes) {
        if (n.parentId == word.toStdString())
            children.insert(n.id);
    }
    QCOMPARE(children, expected);
}

void TstDescriptionFile::ruleTargetsAttached()
{
    // Rules show and hide these at run time; a node hidden in the file is
    // never attached to the tree and could not be shown again.
    for (const char *id : {"AnalogMode", "AnalogSubt", "TeachStatus", "MeasuringDataChannel", "PinFunctionA2",
                           "Output1Settings", "Output2Settings", "Output3Settings", "InputMode1", "InputMode2",
                           "InputMode3", "NONCA1", "NONCA2", "NPNPNP1", "NPNPNP2", "OnDelay1", "OnDelay2",
                           "OffDelay1", "OffDelay2", "Bluetooth", "Sensitivity", "BOOLAnalogError",
                           "BOOLErrAnalogError", "BOOLSpeedMesure", "BOOLErrSpeedMesure", "IntensitySCC1",
                           "IntensitySCC2", "TestA1", "TestA2", "SimulationDistanceValue",
                           "SimulationMeasurementValue", "SimulaionAnalogVoltage", "SimulaionAnalogCurrent",
                           "SimulationAnalogOutput", "SimulationWarning", "SimulationContamination",
                           "SimulatioContaminationRange", "SimulationAmbient", "SimulationFatalError",
                           "SimulationTemperatureError", "SimulationTemperatureWarningHigh",
                           "SimulationTemperatureWarningLow", "SimulationUndervoltage", "SimulationShortCircuit",
                           "SimulationAccelerationSensor", "MesurementUnit", "TeachInMode1", "TeachInMode2",
                           "ErrorWarning1", "ErrorWarning2", "ErrorWarning3", "ErrorWarning4", "TestMode",
                           "DetectionRangeNear", "DetectionRangeFar", "analog0V", "analog10V"}) {
        const Node *n = node(id);
        QVERIFY2(n, id);
        QVERIFY2(n->attached, id);
    }
    for (int k = 1; k <= 2; ++k) {
        for (const char *suffix : {"JumpHeightMin", "JumpHeightMax", "JumpDirection", "CycleOffset", "JumpImpulse",
                                   "DistanceWindow", "IntensitySwitchPoint", "IntensityWindow",
                                   "IntensityHysteresis"}) {
            const std::string id = "SSC" + std::to_string(k) + suffix;
            const Node *n = node(id);
            QVERIFY2(n && n->attached, id.c_str());
        }
        for (const char *base : {"SwitchingThresholdA", "LowerThresholdA", "UpperThresholdA", "HysteresisA",
                                 "TEACHBUTTON", "PinFunctionA", "TeachInMode"}) {
            const std::string id = base + std::to_string(k);
            const Node *n = node(id);
            QVERIFY2(n && n->attached, id.c_str());
        }
    }
}

void TstDescriptionFile::processDataPositions_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("object");

    QTest::newRow("distance") << 0 << "n" << 0;
    QTest::newRow("speed") << 1 << "n" << 0;
    QTest::newRow("intensity") << 2 << "n" << 0;
    for (int bit = 0; bit < 8; ++bit)
        QTest::newRow(qPrintable(QString("status bit %1").arg(bit))) << 3 + bit << "0" << 0;
    for (int row = 11; row <= 15; ++row)
        QTest::newRow(qPrintable(QString("output row %1").arg(row))) << row << "1" << 0;
    for (int k = 0; k < 4; ++k) {
        QTest::newRow(qPrintable(QString("object %1 distance").arg(k))) << 16 + 2 * k << "2" << k + 1;
        QTest::newRow(qPrintable(QString("object %1 signal").arg(k))) << 17 + 2 * k << "2" << k + 1;
    }
}

void TstDescriptionFile::processDataPositions()
{
    QFETCH(int, position);
    QFETCH(QString, group);
    QFETCH(int, object);

    const auto &entries = m_document.get_child("document.guiCategory.default");
    QVERIFY2(int(entries.size()) > position, "too few process-data entries");
    auto it = entries.begin();
    std::advance(it, position);
    const QString id = q(key(it->second, "id"));
    QVERIFY2(id.startsWith(group), qPrintable(QString("position %1 has id %2").arg(position).arg(id)));
    if (object > 0)
        QCOMPARE(id.right(1), QString::number(object));
}

void TstDescriptionFile::processDataEntries()
{
    const auto &entries = m_document.get_child("document.guiCategory.default");
    QCOMPARE(int(entries.size()), 24);
    std::set<std::string> ids;
    for (const auto &entry : entries) {
        const std::string id = key(entry.second, "id");
        QVERIFY2(ids.insert(id).second, qPrintable("process-data id used twice: " + q(id)));
        const std::string visible = entry.second.get<std::string>("visible", "true");
        QVERIFY2(visible == "true" || visible == "false", qPrintable(q(id) + ": visible " + q(visible)));
    }
}

void TstDescriptionFile::catalogue()
{
    const auto list = m_catalogue.get_child_optional("document.sensorList");
    QVERIFY(list);
    QVERIFY(list->size() >= 2);

    std::set<std::string> names;
    for (const auto &model : *list) {
        const pt::ptree &m = model.second;
        const std::string name = key(m, "name");
        const std::string id = key(m, "id");
        QVERIFY2(!name.empty() && !id.empty(), "a model without name or id is left out by the host");
        QVERIFY2(names.insert(name).second, qPrintable("model name used twice: " + q(name)));
        QVERIFY2(id.size() == 4, qPrintable(q(id) + ": product names are the id and a three-character key"));

        long long number = 0;
        for (const char *k : {"portsettings.characterdelay", "portsettings.linedelay",
                              "chartsettings.thresholdsreadonly"})
            QVERIFY2(parseInteger(key(m, k), number) && number >= 0, qPrintable(q(name) + ": " + k));

        const auto variants = m.get_child_optional("sensors");
        QVERIFY2(variants && !variants->empty(), qPrintable(q(name) + ": no variants"));
        std::set<std::string> keys;
        for (const auto &variant : *variants) {
            const pt::ptree &v = variant.second;
            const std::string id3 = key(v, "ID3");
            const QString where = q(name) + " " + q(id3);
            QVERIFY2(id3.size() == 3, qPrintable(where + ": variant key is three characters"));
            QVERIFY2(keys.insert(id3).second, qPrintable(where + ": variant key used twice"));
            for (const char *flag : {"analogOutput", "bluetooth", "A2PinFct"}) {
                const std::string value = key(v, flag);
                QVERIFY2(value == "0" || value == "1", qPrintable(where + ": " + flag));
            }
            long long maxRange = 0, minRange = 0, objMaxRange = 0, objMinRange = 0;
            QVERIFY2(parseInteger(key(v, "maxRange"), maxRange) && parseInteger(key(v, "minRange"), minRange)
                             && parseInteger(key(v, "objMaxRange"), objMaxRange)
                             && parseInteger(key(v, "objMinRange"), objMinRange),
                     qPrintable(where + ": ranges"));
            QVERIFY2(0 < minRange && minRange < maxRange && maxRange < objMaxRange && objMinRange < objMaxRange,
                     qPrintable(where + ": ranges out of order"));
            // The four selectors keep the analog entry for exactly these keys.
            const bool analog = key(v, "analogOutput") == "1";
            QVERIFY2(analog == (id3 == "4M3" || id3 == "4M6"),
                     qPrintable(where + ": analog variants are the keys 4M3 and 4M6"));
            // Identification matches the first three characters and refuses names above 8.
            const std::string product = id + id3;
            QVERIFY2(product.size() >= 7 && product.size() <= 8, product.c_str());
            QVERIFY2(m_rawText.find(product) != std::string::npos,
                     qPrintable(q(product) + ": product name not written down in the file"));
        }
    }
}

void TstDescriptionFile::catalogueCoversVariants()
{
    bool highRange = false, analog = false, without = false, key3 = false, key6 = false, fixedPin2 = false;
    for (const auto &model : m_catalogue.get_child("document.sensorList")) {
        const std::string id = key(model.second, "id");
        for (const auto &variant : model.second.get_child("sensors")) {
            const pt::ptree &v = variant.second;
            highRange |= id.size() > 3 && id[3] == 'X';
            analog |= key(v, "analogOutput") == "1";
            without |= key(v, "bluetooth") == "0";
            key3 |= key(v, "ID3") == "4M3";
            key6 |= key(v, "ID3") == "4M6";
            fixedPin2 |= key(v, "A2PinFct") == "1";
        }
    }
    QVERIFY2(highRange, "no high-range model (fourth character X)");
    QVERIFY(analog);
    QVERIFY2(without, "no variant without Bluetooth");
    QVERIFY(key3);
    QVERIFY(key6);
    QVERIFY2(fixedPin2, "no variant with a fixed pin 2");
}

QTEST_GUILESS_MAIN(TstDescriptionFile)
#include "tst_descriptionfile.moc"
