// Consistency of the sensor family's description file: the plug-in, the
// simulator and every device test run on it, and the plug-in's rules address
// its parameters by id, by position and by device value.

#include "comm/masterframes.h"
#include "device/enummapping.h"
#include "device/flagwords.h"

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

struct Node
{
    const pt::ptree *tree = nullptr;
    std::string type;
    std::string id;
    std::string parentId;
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

QString q(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

class TstDescriptionFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
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
            collect(child.second, std::string());
        QVERIFY(m_nodes.size() > 100);
        QCOMPARE(q(key(m_document, "document.documentId")), QString(kDocumentId));
    }

    void nodeKeys()
    {
        static const std::set<std::string> kinds = {"category", "enumerator", "int", "double", "bool", "action",
                                                    "string"};
        int hidden = 0;
        int disabled = 0;
        bool selfReadOnly = false;
        std::set<std::string> ids, freeTexts;
        for (const Node &n : m_nodes) {
            const QString where = q(n.id.empty() ? "(no id) below " + n.parentId : n.id);
            QVERIFY2(ids.insert(n.id).second, qPrintable(where + ": id used twice"));
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
            if (n.type == "string" && key(*n.tree, "isString") == "true")
                freeTexts.insert(n.id);
            if (n.type == "string")
                QVERIFY2(n.tree->get_child_optional("defaultvalue"), qPrintable(where + ": text without default"));
            // Editable numbers need readonly false, or they carry the read-only marker.
            if ((n.type == "int" || n.type == "double") && readonly == "true")
                QVERIFY2(n.id == "CrashCounter", qPrintable(where + ": unexpected read-only number"));
        }
        QVERIFY2(hidden > 0, "a real device has service parameters that stay hidden");
        QVERIFY2(disabled > 0, "a real device has parameters that cannot be edited");
        QVERIFY2(selfReadOnly, "no counter kept by the device (id with SelfReadOnly)");
        // A free text is written to index 24 unless it is the function or location
        // tag, so any other free text would overwrite the application tag.
        QCOMPARE(freeTexts, (std::set<std::string>{"AppSpecificTag", "FunctionTag", "LocationTag"}));
    }

    void captions()
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

    void addresses()
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
            QVERIFY2(a.index != Proto::ObjectInfoIndex, qPrintable(where + ": index of the object information block"));
            if (a.index == Proto::SystemCommandIndex)
                QVERIFY2(n.id == "DEVICEBUTTON" || n.id == "APPBUTTON" || n.id == "BACKTOBOXBUTTON",
                         qPrintable(where + ": only device actions use the system command index"));
            if (a.index == Proto::ProductNameIndex)
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

    void sharedAddresses()
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
        std::set<std::string> status, mask;
        for (const Proto::FlagBit &f : Proto::flagBits()) {
            status.insert(f.statusId);
            mask.insert(f.errorMaskId);
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

    // Limits, defaults and enumeration device values fit the parameter's size.
    void valuesAndDefaults()
    {
        for (const Node &n : m_nodes) {
            Address a;
            if (n.type == "category" || n.type == "string" || !parseAddress(*n.tree, a))
                continue;
            const long long limit = capacity(a.size);
            const QString where = q(n.id) + QString(" (size %1)").arg(a.size);
            const std::string text = key(*n.tree, "defaultvalue");
            const QString badDefault = where + ": default '" + q(text) + "'";
            if (n.type == "int" || n.type == "double") {
                double min = 0, max = 0, value = 0;
                long long whole = 0;
                QVERIFY2(parseDecimal(key(*n.tree, "min"), min) && parseDecimal(key(*n.tree, "max"), max),
                         qPrintable(where + ": min/max"));
                QVERIFY2(0 <= min && min < max && max <= limit, qPrintable(where + ": limits do not fit"));
                if (n.type == "int") {
                    QVERIFY2(parseInteger(key(*n.tree, "min"), whole) && parseInteger(key(*n.tree, "max"), whole),
                             qPrintable(where + ": integer limits"));
                    QVERIFY2(parseInteger(text, whole), qPrintable(badDefault));
                    value = double(whole);
                } else {
                    QVERIFY2(parseDecimal(text, value), qPrintable(badDefault));
                }
                QVERIFY2(value >= min && value <= max, qPrintable(badDefault + " outside limits"));
            } else if (n.type == "enumerator") {
                const long long entries = static_cast<long long>(n.tree->get_child("items").size());
                for (long long i = 0; i < entries; ++i) {
                    const long long value = deviceValue(n.id, i);
                    QVERIFY2(value >= 0 && value <= limit,
                             qPrintable(where + QString(": entry %1 has device value %2").arg(i).arg(value)));
                }
                long long index = -1;
                QVERIFY2(parseInteger(text, index) && index >= 0 && index < entries, qPrintable(badDefault));
                // High-range models lose these entries; a default there would not survive.
                if (n.id == "MesurementUnit")
                    QVERIFY(index < 3);
                if (n.id == "TeachInMode1" || n.id == "TeachInMode2")
                    QVERIFY(index < 4);
                if (n.id.find("ErrorWarning") != std::string::npos)
                    QVERIFY2(index < 12, "entry 12 exists on analog variants only");
            } else if (n.type == "bool") {
                QVERIFY2(text == "0" || text == "1", qPrintable(badDefault));
                // Both flag words hold bits up to 29.
                if (n.id.find("BOOL") == std::string::npos)
                    QVERIFY2(a.size == 9, qPrintable(where + ": a flag word needs four octets"));
            }
        }
        // The far limit's "off" codes must travel too.
        for (const char *id : {"DetectionRangeFar", "DetectionRangeNear"}) {
            Address a;
            QVERIFY(node(id) && parseAddress(*node(id)->tree, a));
            QVERIFY2(capacity(a.size) >= 130000, id);
        }
    }

    void errorWarningListsAlike()
    {
        // The four selectors share one list that the variant trims alike.
        const auto first = node("ErrorWarning1")->tree->get_child("items");
        for (const char *id : {"ErrorWarning2", "ErrorWarning3", "ErrorWarning4"}) {
            const auto items = node(id)->tree->get_child("items");
            QCOMPARE(items.size(), first.size());
            auto a = first.begin();
            for (auto b = items.begin(); b != items.end(); ++a, ++b)
                QCOMPARE(q(key(b->second, "en")), q(key(a->second, "en")));
        }
    }

    void flagWords_data()
    {
        QTest::addColumn<int>("word");
        QTest::newRow("status word") << int(Proto::FlagWord::StatusWord);
        QTest::newRow("error mask") << int(Proto::FlagWord::ErrorMaskWord);
    }

    void flagWords()
    {
        QFETCH(int, word);
        const auto w = Proto::FlagWord(word);
        const std::string parent = Proto::flagWordParentId(w).toStdString();

        // The bits the plug-in composes are exactly the word's children, and a
        // child sharing the word's address is what writes the whole word.
        std::set<std::string> expected;
        for (const Proto::FlagBit &f : Proto::flagBits()) {
            if (f.bit != 0)
                expected.insert(Proto::flagId(w, f.bit).toStdString());
        }
        std::set<std::string> children;
        for (const Node &n : m_nodes) {
            if (n.parentId == parent) {
                children.insert(n.id);
                QCOMPARE(q(n.type), QString("bool"));
            }
        }
        QCOMPARE(children, expected);
    }

    void processDataPositions()
    {
        // Rows are found by position: three values, eight status bits, five
        // outputs, then distance and signal of objects 1..4.
        const auto &entries = m_document.get_child("document.guiCategory.default");
        QCOMPARE(int(entries.size()), 24);
        int position = 0;
        for (const auto &entry : entries) {
            const QString id = q(key(entry.second, "id"));
            const QString group = position < 3 ? "n" : position < 11 ? "0" : position < 16 ? "1" : "2";
            QVERIFY2(id.startsWith(group), qPrintable(QString("position %1 has id %2").arg(position).arg(id)));
            if (position >= 16)
                QCOMPARE(id.right(1), QString::number((position - 16) / 2 + 1));
            ++position;
        }
    }

    void catalogue()
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
                const std::string product = id + id3;
                QVERIFY2(m_rawText.find(product) != std::string::npos,
                         qPrintable(q(product) + ": product name not written down in the file"));
            }
        }
    }

private:
    void collect(const pt::ptree &tree, const std::string &parentId)
    {
        Node n;
        n.tree = &tree;
        n.type = key(tree, "type");
        n.id = key(tree, "id");
        n.parentId = parentId;
        m_nodes.push_back(n);
        for (const auto &child : tree) {
            if (child.first == "property")
                collect(child.second, n.id);
        }
    }

    // The one node with this id; null when it is missing or repeated.
    const Node *node(const std::string &id) const
    {
        const Node *found = nullptr;
        for (const Node &n : m_nodes) {
            if (n.id == id && found)
                return nullptr;
            if (n.id == id)
                found = &n;
        }
        return found;
    }

    std::string m_path;
    std::string m_rawText;
    pt::ptree m_document;    // as the parameter tree reads it: comments dropped, blanks kept
    pt::ptree m_catalogue;   // as the catalogue reads it: comments dropped, blanks trimmed
    std::vector<Node> m_nodes;
};

QTEST_GUILESS_MAIN(TstDescriptionFile)
#include "tst_descriptionfile.moc"
