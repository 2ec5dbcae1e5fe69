#include "persistence/xml_document.h"

#include "persistence/code_page.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace rh {

namespace {
// The text an element starts with is kept as the element's value rather than as a node of its
// own: half the nodes of a tournament file, and one step less to each number.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_embed_pcdata;
} // namespace

namespace xml {

bool hasChildren(pugi::xml_node node) {
    return node && (node.first_child() || *node.value());
}

pugi::xml_node child(pugi::xml_node node, const char* name) {
    // Documents are parsed without declarations and processing instructions, so only elements
    // carry names and the library's own search finds the first child element of the name.
    return node.child(name);
}

namespace {
// The next node after `cur` in document order within the subtree of `root`, or a null node.
pugi::xml_node nextInSubtree(pugi::xml_node cur, pugi::xml_node root, bool descend) {
    if (descend && cur.first_child())
        return cur.first_child();
    while (cur != root && !cur.next_sibling())
        cur = cur.parent();
    if (cur == root)
        return {};
    return cur.next_sibling();
}

bool isText(pugi::xml_node n) {
    return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata;
}
} // namespace

std::string textOf(pugi::xml_node node) {
    if (!node)
        return {};
    pugi::xml_node first = node.first_child();
    if (!first)
        return node.value();
    // The text an element starts with is its value; the rest lies in text nodes and in the
    // values of the elements below, in document order.
    std::string out = node.value();
    for (pugi::xml_node cur = first; cur; cur = nextInSubtree(cur, node, true))
        if (isText(cur) || cur.type() == pugi::node_element)
            out += cur.value();
    return out;
}

pugi::xml_node findFirst(pugi::xml_node root, std::string_view name) {
    for (pugi::xml_node cur = root.first_child(); cur; cur = nextInSubtree(cur, root, true))
        if (cur.type() == pugi::node_element && name == cur.name())
            return cur;
    return {};
}

} // namespace xml

bool XmlDocument::parse(std::string_view utf8, ParseError* error) {
    m_sections.fill(pugi::xml_node());
    m_atTag.fill(false);
    pugi::xml_parse_result result =
        m_doc.load_buffer(utf8.data(), utf8.size(), kParseOptions, pugi::encoding_utf8);
    m_text.clear(); // the document holds its own copy
    if (!result) {
        if (error) {
            ParseError& e = *error;
            e = ParseError();
            e.code = static_cast<int>(result.status);
            e.reason = std::string(result.description()) + "\r\n";
            std::size_t offset = result.offset < 0 ? 0 : static_cast<std::size_t>(result.offset);
            if (offset > utf8.size())
                offset = utf8.size();
            // Lines and positions count characters, as the file holds one byte per character.
            long line = 1, col = 1, chars = 1;
            std::size_t lineStart = 0;
            for (std::size_t pos = 0; pos < offset;) {
                char c = utf8[pos];
                if (c == '\n' || (c == '\r' && (pos + 1 >= utf8.size() || utf8[pos + 1] != '\n'))) {
                    ++line;
                    col = 1;
                    ++chars;
                    ++pos;
                    lineStart = pos;
                    continue;
                }
                nextCodePoint(utf8, pos);
                ++col;
                ++chars;
            }
            e.line = line;
            e.linePos = col;
            e.filePos = chars;
            std::size_t end = lineStart;
            std::size_t count = 0;
            while (end < utf8.size() && utf8[end] != '\r' && utf8[end] != '\n' &&
                   count < kMaxSourceText) {
                nextCodePoint(utf8, end);
                ++count;
            }
            e.srcText = std::string(utf8.substr(lineStart, end - lineStart));
            // A binary file's line may hold control characters a message box cannot show.
            for (char& c : e.srcText)
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                    c = '?';
        }
        m_doc.reset();
        return false;
    }
    findSections();
    return true;
}

namespace {

bool endsName(char c) {
    return c == '>' || c == '/' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where the first start tag of each name may begin in the text (the place of its name's first
// character), or npos: the first "<name" that the name ends. It may yet lie in a comment or CDATA
// section. One pass over the text finds them all: the '<' followed by the first letter of a name
// still missing are picked out sixteen at a time, and only those are compared.
template <std::size_t N>
std::array<std::size_t, N> firstTags(std::string_view text, const std::array<const char*, N>& names,
                                     const XmlDocument::TagFound& found) {
    static_assert(N <= 32);
    std::array<std::size_t, N> at;
    at.fill(std::string_view::npos);
    std::array<std::uint32_t, 256> byFirst{}; // the names each letter begins
    std::array<std::size_t, N> lengths{};
    for (std::size_t k = 0; k < N; ++k) {
        lengths[k] = std::strlen(names[k]);
        byFirst[static_cast<unsigned char>(names[k][0])] |= 1U << k;
    }
    std::uint32_t missing = (N == 32 ? 0U : (1U << N)) - 1U;
    std::size_t resume = 0; // where the search goes on: a section read whole holds no other
    auto compare = [&](std::size_t lt) {
        if (lt < resume || lt + 1 >= text.size())
            return;
        for (std::uint32_t k = byFirst[static_cast<unsigned char>(text[lt + 1])] & missing; k != 0;
             k &= k - 1) {
            const auto n = static_cast<std::size_t>(__builtin_ctz(k));
            const std::size_t end = lt + 1 + lengths[n];
            if (end < text.size() && endsName(text[end]) &&
                std::memcmp(text.data() + lt + 1, names[n], lengths[n]) == 0) {
                at[n] = lt + 1;
                missing &= ~(1U << n);
                if (found)
                    resume = std::max(resume, found(text, n, lt + 1));
            }
        }
    };
    std::size_t i = 0;
#ifdef __SSE2__
    // A '<' whose next character begins a name still missing, sixteen places at a time.
    const __m128i lt = _mm_set1_epi8('<');
    __m128i firsts[N] = {};
    std::size_t letters = 0;
    std::uint32_t lettersOf = ~missing; // the names `firsts` was made for
    for (; missing != 0 && i + 17 <= text.size(); i += 16) {
        if (i < resume) {
            i = resume - 16; // past the section read whole (the loop adds the 16)
            continue;
        }
        if (lettersOf != missing) {
            letters = 0;
            for (std::uint32_t k = missing; k != 0; k &= k - 1)
                firsts[letters++] =
                    _mm_set1_epi8(names[static_cast<std::size_t>(__builtin_ctz(k))][0]);
            lettersOf = missing;
        }
        const char* p = text.data() + i;
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
        __m128i begins = _mm_setzero_si128();
        for (std::size_t l = 0; l < letters; ++l)
            begins = _mm_or_si128(begins, _mm_cmpeq_epi8(next, firsts[l]));
        const __m128i opens =
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), lt);
        for (auto bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(opens, begins)));
             bits != 0; bits &= bits - 1)
            compare(i + static_cast<std::size_t>(__builtin_ctz(bits)));
    }
#endif
    for (i = std::max(i, resume); missing != 0 && i < text.size(); ++i)
        if (text[i] == '<')
            compare(i);
    return at;
}

// The element whose name the parser left at `at`, found by going down the tree: in document
// order, each level's elements start at rising places in the text.
pugi::xml_node elementNamedAt(const pugi::xml_document& doc, const char* at) {
    pugi::xml_node node = doc;
    while (true) {
        pugi::xml_node holder;
        for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element)
                continue;
            const char* name = c.name();
            if (name == at)
                return c;
            if (std::less<const char*>()(at, name))
                break;
            holder = c;
        }
        if (!holder)
            return {};
        node = holder;
    }
}

} // namespace

bool XmlDocument::parseInPlace(std::string utf8, const TagFound& tagFound) {
    m_sections.fill(pugi::xml_node());
    m_atTag.fill(false);
    m_doc.reset();
    m_text = std::move(utf8);
    // Every element starts with "<name" in the text, and the tree keeps its name where it lies:
    // so the first such tag that is an element in the tree is the first element of the name.
    const auto tagAt = firstTags(m_text, kSections, tagFound);
    if (!m_doc.load_buffer_inplace(m_text.data(), m_text.size(), kParseOptions,
                                   pugi::encoding_utf8)) {
        m_doc.reset();
        m_text.clear();
        return false;
    }
    for (std::size_t i = 0; i < kSections.size(); ++i) {
        if (tagAt[i] == std::string::npos)
            continue; // no element of the name
        pugi::xml_node node = elementNamedAt(m_doc, m_text.data() + tagAt[i]);
        if (!node || std::strcmp(node.name(), kSections[i]) != 0) {
            // The tag lies in a comment or CDATA section: walk the tree instead.
            m_sections.fill(pugi::xml_node());
            m_atTag.fill(false);
            findSections();
            break;
        }
        m_sections[i] = node;
        m_atTag[i] = true;
    }
    return true;
}

void XmlDocument::findSections() {
    // One walk finds the first element of each section name, in document order, and stops
    // when all are found. The library's own walk costs one call per node.
    struct SectionFinder : pugi::xml_tree_walker {
        std::array<pugi::xml_node, kSections.size()>& sections;
        std::size_t found = 0;
        explicit SectionFinder(std::array<pugi::xml_node, kSections.size()>& s) : sections(s) {}
        bool for_each(pugi::xml_node& node) override {
            const char* name = node.name();
            if (!*name || node.type() != pugi::node_element)
                return true;
            for (std::size_t i = 0; i < kSections.size(); ++i)
                if (!sections[i] && name[0] == kSections[i][0] &&
                    std::strcmp(name, kSections[i]) == 0) {
                    sections[i] = node;
                    ++found;
                    break;
                }
            return found < kSections.size();
        }
    } finder(m_sections);
    m_doc.traverse(finder);
}

bool XmlDocument::sectionAtTag(std::string_view name) const {
    for (std::size_t i = 0; i < kSections.size(); ++i)
        if (name == kSections[i])
            return m_atTag[i];
    return false;
}

pugi::xml_node XmlDocument::section(std::string_view name) const {
    for (std::size_t i = 0; i < kSections.size(); ++i)
        if (name == kSections[i])
            return m_sections[i];
    return xml::findFirst(m_doc, name);
}

std::string parseReportText(const ParseError& e) {
    std::string t = "Your XML Document failed to load ";
    t += "due to the following error.";
    t += "\r\nError #: " + std::to_string(e.code) + ": " + e.reason;
    t += "Line #: " + std::to_string(e.line);
    t += "\r\nLine Position: " + std::to_string(e.linePos);
    t += "\r\nPosition In File: " + std::to_string(e.filePos);
    t += "\r\nSource Text: " + e.srcText;
    t += "\r\nDocument URL: " + e.url;
    return t;
}

} // namespace rh
