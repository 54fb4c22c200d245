// The ECB's euro reference rates: per day a Cube with a time attribute that
// holds one Cube per currency, its rate in units per euro.
//
// The whole history runs to megabytes, so it is read in one pass over the
// bytes. That pass knows only plain XML (ASCII, no references, no DTD, no
// processing instruction, namespaces declared on the root); at anything else,
// broken files included, it gives up and Qt's XML reader decides.
#include "readers.h"
#include "source_scan.h"

#include <QXmlStreamReader>
#include <array>
#include <string_view>
#include <vector>

namespace kestrum {

using namespace sources;

namespace {

using PerEuro = std::array<double, kCurrencyCount>; // index 0 the Canadian dollar
using Texts = std::array<QByteArrayView, kCurrencyCount>;

const QString kEcbSource = QStringLiteral("ecb");

// Canadian dollars per euro is the CAD quote; per unit of another currency
// it is the CAD quote over that currency's, computed in that order. The
// history keeps each currency's own quote per euro beside it.
void AddDay(Answer& answer, const DayBounds& bounds, double date, const PerEuro& perEuro,
            const Texts& texts) {
    const double cad = perEuro[0];
    if (date == kNotAvailable || !(cad > 0.0))
        return;
    if (!bounds.Holds(date)) {
        LeaveOut(answer, date);
        return;
    }
    const int euro = CodeIndex("EUR");
    DayWriter day(answer, kEcbSource, date);
    if (!day.Keep(euro, cad, texts[0]))
        return;
    for (int k = 1; k < kCurrencyCount; ++k)
        if (k != euro && perEuro[size_t(k)] > 0.0)
            day.Keep(k, cad / perEuro[size_t(k)], texts[size_t(k)]);
}

// What the day and currency Cubes make of a stream of elements, whichever
// reader produced it.
class EcbDays {
public:
    EcbDays(Answer& answer, const DayBounds& bounds) : m_answer(answer), m_bounds(bounds) {}

    // An element inside the envelope; the attribute values are empty when absent.
    template <typename Text>
    void Start(bool cube, bool hasTime, const Text& time, bool hasCurrency, const Text& currency,
               const Text& rate) {
        ++m_depth;
        if (!cube)
            return;
        if (hasTime) {
            m_date = Date(time);
            m_perEuro.fill(kNotAvailable);
            m_texts = {};
            m_dayDepth = m_depth;
        } else if (m_dayDepth != 0 && hasCurrency) {
            const int k = Index(currency);
            if (k >= 0) {
                m_perEuro[size_t(k)] = Rate(rate);
                m_texts[size_t(k)] = Bytes(rate, m_owned[size_t(k)]);
            }
        }
    }
    void End() {
        if (m_depth == m_dayDepth) {
            AddDay(m_answer, m_bounds, m_date, m_perEuro, m_texts);
            m_dayDepth = 0;
        }
        --m_depth;
    }

private:
    static double Date(QStringView text) { return IsoDateValue(text); }
    static double Date(std::string_view text) { return ScanIsoDate(text); }
    static int Index(QStringView text) { return CurrencyIndexOfCode(text); }
    static int Index(std::string_view text) { return CodeIndex(text); }
    static double Rate(QStringView text) { return SourceNumber(text); }
    static double Rate(std::string_view text) { return ScanNumber(text); }
    // The text in the body, or for Qt's reading a copy in `owned`.
    static QByteArrayView Bytes(QStringView text, QByteArray& owned) {
        owned = text.toUtf8();
        return owned;
    }
    static QByteArrayView Bytes(std::string_view text, QByteArray&) {
        return QByteArrayView(text.data(), qsizetype(text.size()));
    }

    Answer& m_answer;
    const DayBounds& m_bounds;
    PerEuro m_perEuro{};
    Texts m_texts;
    std::array<QByteArray, kCurrencyCount> m_owned;
    double m_date = kNotAvailable;
    int m_depth = 1;    // inside the envelope
    int m_dayDepth = 0; // depth of the open day's Cube, 0 when none is open
};

SourceRead ReadThroughQt(QByteArrayView body, Answer& answer, const DayBounds& bounds) {
    QXmlStreamReader xml(body.toByteArray());
    if (!xml.readNextStartElement() || xml.qualifiedName() != QLatin1String("gesmes:Envelope"))
        return SourceRead::NotRecognised;
    Answer found;
    EcbDays reader(found, bounds);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QXmlStreamAttributes attributes = xml.attributes();
            reader.Start(xml.name() == QLatin1String("Cube"),
                         attributes.hasAttribute(QLatin1String("time")),
                         attributes.value(QLatin1String("time")),
                         attributes.hasAttribute(QLatin1String("currency")),
                         attributes.value(QLatin1String("currency")),
                         attributes.value(QLatin1String("rate")));
        } else if (xml.isEndElement()) {
            reader.End();
        }
    }
    // A cut or broken file is refused whole rather than read in part.
    if (xml.hasError() || !found.HasDays())
        return SourceRead::NoUsableDay;
    Merge(found, answer);
    return SourceRead::Read;
}

struct Attribute {
    std::string_view name;
    std::string_view value;
};

// One pass over plain XML.
class EcbScan {
public:
    explicit EcbScan(QByteArrayView body) : m_at(body.data()), m_end(body.data() + body.size()) {}

    Scanned Scan(Answer& answer, const DayBounds& bounds);

private:
    static bool Space(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }
    static bool NameStart(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    }
    static bool NameChar(char c) {
        return NameStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '-';
    }
    // Printable ASCII and the three white-space controls.
    static bool Plain(char c) { return (c >= 0x20 && c < 0x7F) || Space(c); }

    bool Rest(std::string_view text) const {
        return size_t(m_end - m_at) >= text.size() && std::string_view(m_at, text.size()) == text;
    }
    bool SkipSpace() {
        const char* start = m_at;
        while (m_at < m_end && Space(*m_at))
            ++m_at;
        return m_at != start;
    }
    bool Name(std::string_view& name);
    // `= "` or `= '` after a name, spaces allowed around "=": the quote that
    // will close the value.
    bool OpenValue(char& quote) {
        SkipSpace();
        if (m_at == m_end || *m_at != '=')
            return false;
        ++m_at;
        SkipSpace();
        if (m_at == m_end || (*m_at != '"' && *m_at != '\''))
            return false;
        quote = *m_at++;
        return true;
    }
    bool Declaration();
    bool Comment();
    bool Text(bool insideRoot);
    bool StartTag(std::string_view& name, bool& empty);
    bool Prefixed(std::string_view name) const;

    const char* m_at = nullptr;
    const char* m_end = nullptr;
    std::vector<Attribute> m_attributes;
    std::vector<std::string_view> m_prefixes; // declared on the root
    bool m_root = true;                       // the next start tag is the root's
};

bool EcbScan::Name(std::string_view& name) {
    const char* start = m_at;
    bool colon = false;
    for (;;) {
        if (m_at == m_end || !NameStart(*m_at))
            return false;
        while (m_at < m_end && NameChar(*m_at))
            ++m_at;
        if (m_at == m_end || *m_at != ':' || colon)
            break;
        colon = true;
        ++m_at;
    }
    name = std::string_view(start, size_t(m_at - start));
    return true;
}

bool EcbScan::Declaration() {
    // <?xml version="1.0" encoding="UTF-8"?>, the encoding optional.
    m_at += 5;
    const auto pseudo = [this](std::string_view name,
                               std::initializer_list<std::string_view> values) {
        if (!SkipSpace() || !Rest(name))
            return false;
        m_at += name.size();
        char quote = 0;
        if (!OpenValue(quote))
            return false;
        for (const std::string_view value : values)
            if (Rest(value) && size_t(m_end - m_at) > value.size() && m_at[value.size()] == quote) {
                m_at += value.size() + 1;
                return true;
            }
        return false;
    };
    if (!pseudo("version", {"1.0"}))
        return false;
    const char* beforeEncoding = m_at;
    if (!pseudo("encoding", {"UTF-8", "utf-8"}))
        m_at = beforeEncoding;
    SkipSpace();
    if (!Rest("?>"))
        return false;
    m_at += 2;
    return true;
}

bool EcbScan::Comment() {
    m_at += 4;
    for (; m_at < m_end; ++m_at) {
        if (!Plain(*m_at))
            return false;
        if (Rest("--")) {
            if (!Rest("-->"))
                return false;
            m_at += 3;
            return true;
        }
    }
    return false;
}

bool EcbScan::Text(bool insideRoot) {
    for (; m_at < m_end && *m_at != '<'; ++m_at) {
        const char c = *m_at;
        if (!Plain(c) || c == '&' || (!insideRoot && !Space(c)) || Rest("]]>"))
            return false;
    }
    return true;
}

bool EcbScan::Prefixed(std::string_view name) const {
    const size_t colon = name.find(':');
    if (colon == std::string_view::npos)
        return true;
    for (const std::string_view prefix : m_prefixes)
        if (prefix == name.substr(0, colon))
            return true;
    return false;
}

bool EcbScan::StartTag(std::string_view& name, bool& empty) {
    ++m_at;
    if (!Name(name))
        return false;
    m_attributes.clear();
    for (;;) {
        const bool spaced = SkipSpace();
        if (Rest("/>") || Rest(">")) {
            empty = *m_at == '/';
            m_at += empty ? 2 : 1;
            break;
        }
        Attribute attribute;
        if (!spaced || !Name(attribute.name))
            return false;
        char quote = 0;
        if (!OpenValue(quote))
            return false;
        const char* value = m_at;
        for (; m_at < m_end && *m_at != quote; ++m_at)
            if (*m_at < 0x20 || *m_at >= 0x7F || *m_at == '<' || *m_at == '&')
                return false;
        if (m_at == m_end)
            return false;
        attribute.value = std::string_view(value, size_t(m_at - value));
        ++m_at;
        for (const Attribute& earlier : m_attributes)
            if (earlier.name == attribute.name)
                return false;
        m_attributes.push_back(attribute);
    }
    // Namespaces are declared on the root only, and nothing else is prefixed.
    for (const Attribute& attribute : m_attributes) {
        if (attribute.name.find(':') == std::string_view::npos && attribute.name != "xmlns")
            continue;
        if (!m_root)
            return false;
        if (attribute.name == "xmlns")
            continue;
        if (!attribute.name.starts_with("xmlns:") || attribute.value.empty())
            return false;
        const std::string_view prefix = attribute.name.substr(6);
        if (prefix.starts_with("xml"))
            return false;
        m_prefixes.push_back(prefix);
    }
    return Prefixed(name);
}

Scanned EcbScan::Scan(Answer& answer, const DayBounds& bounds) {
    if (Rest("<?xml") && !Declaration())
        return Scanned::GaveUp;
    Answer found;
    EcbDays reader(found, bounds);
    std::vector<std::string_view> open;
    bool rootClosed = false;
    for (;;) {
        if (!Text(!open.empty()))
            return Scanned::GaveUp;
        if (m_at == m_end)
            break;
        if (Rest("<!--")) {
            if (!Comment())
                return Scanned::GaveUp;
        } else if (Rest("</")) {
            m_at += 2;
            std::string_view name;
            if (open.empty() || !Name(name) || name != open.back())
                return Scanned::GaveUp;
            SkipSpace();
            if (m_at == m_end || *m_at != '>')
                return Scanned::GaveUp;
            ++m_at;
            open.pop_back();
            if (open.empty())
                rootClosed = true;
            else
                reader.End();
        } else if (Rest("<!") || Rest("<?") || rootClosed) {
            return Scanned::GaveUp;
        } else {
            std::string_view name;
            bool empty = false;
            if (!StartTag(name, empty))
                return Scanned::GaveUp;
            if (m_root) {
                if (name != "gesmes:Envelope")
                    return Scanned::NotRecognised;
                m_root = false;
                if (empty)
                    rootClosed = true;
                else
                    open.push_back(name);
                continue;
            }
            const size_t colon = name.find(':');
            const std::string_view local =
                colon == std::string_view::npos ? name : name.substr(colon + 1);
            const auto find = [this](std::string_view attributeName, bool& has) {
                for (const Attribute& attribute : m_attributes)
                    if (attribute.name == attributeName) {
                        has = true;
                        return attribute.value;
                    }
                has = false;
                return std::string_view();
            };
            bool hasTime = false;
            bool hasCurrency = false;
            bool hasRate = false;
            const std::string_view time = find("time", hasTime);
            const std::string_view currency = find("currency", hasCurrency);
            const std::string_view rate = find("rate", hasRate);
            reader.Start(local == "Cube", hasTime, time, hasCurrency, currency, rate);
            if (empty)
                reader.End();
            else
                open.push_back(name);
        }
    }
    if (!rootClosed)
        return Scanned::GaveUp;
    Merge(found, answer);
    return Scanned::Read;
}

} // namespace

SourceRead ReadEcbAnswer(QByteArrayView body, Answer& answer, const DayBounds& bounds) {
    if (!BodyStartsWith(body, '<'))
        return SourceRead::NotRecognised;
    Answer found;
    const Scanned scanned = EcbScan(body).Scan(found, bounds);
    return scanned == Scanned::GaveUp ? ReadThroughQt(body, answer, bounds)
                                      : AfterScan(scanned, found, answer);
}

} // namespace kestrum
