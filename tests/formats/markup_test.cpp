// Markup documents: reading skin and layout markup into a tree, writing it back, and
// reaching elements and attributes by path.
#include "formats/byte_buffer.h"
#include "formats/markup.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using namespace OvCore;

namespace
{

const char* const kWhitespace = " \t\n\r";

bool ParseText(MARKUP_NODE& root, const std::string& text, const char* whitespace = kWhitespace)
{
    return root.Parse(text.data(), text.size(), whitespace, true);
}

std::string Str(const OV_STRING& text)
{
    return text.Text();
}

std::vector<const MARKUP_NODE*> Children(const MARKUP_NODE& node)
{
    std::vector<const MARKUP_NODE*> list;
    for (const MARKUP_NODE& child : node.children)
        list.push_back(&child);
    return list;
}

std::vector<std::pair<std::string, std::string>> Attributes(const MARKUP_NODE& node)
{
    std::vector<std::pair<std::string, std::string>> list;
    for (const MARKUP_ATTRIBUTE& attribute : node.attributes)
        list.emplace_back(Str(attribute.key), Str(attribute.value));
    return list;
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

std::string Written(const MARKUP_NODE& root)
{
    ByteBuffer buffer;
    if (!root.Write(buffer))
        return "<Write failed>";
    return std::string(reinterpret_cast<const char*>(buffer.start), buffer.count);
}

// Runs `work` on a thread with a small stack, so that code which recursed once per level of
// a deep tree would overflow it.
void RunOnSmallStack(const std::function<void()>& work)
{
    pthread_attr_t attributes;
    ASSERT_EQ(0, pthread_attr_init(&attributes));
    ASSERT_EQ(0, pthread_attr_setstacksize(&attributes, 128 * 1024));
    pthread_t thread;
    auto run = [](void* argument) -> void*
    {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(0,
              pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)));
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

std::string Repeat(const std::string& piece, int times)
{
    std::string text;
    text.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

} // namespace

TEST(MarkupRead, SkinHoldsFontWithAttributesInWrittenOrder)
{
    MARKUP_NODE root;
    ASSERT_TRUE(ParseText(root, "<Skin Name=\"Default\">\r\n\t<Font Name=\"Sans\" Size=\"12\"/>\r\n"
                                "</Skin>\r\n"));
    ASSERT_EQ(1u, root.children.size());
    const MARKUP_NODE& skin = root.children.front();
    EXPECT_EQ("Skin", Str(skin.name));
    EXPECT_EQ(Pairs({{"Name", "Default"}}), Attributes(skin));
    EXPECT_EQ(&root, skin.parent);
    ASSERT_EQ(1u, skin.children.size());
    const MARKUP_NODE& font = skin.children.front();
    EXPECT_EQ("Font", Str(font.name));
    EXPECT_EQ(Pairs({{"Name", "Sans"}, {"Size", "12"}}), Attributes(font));
    EXPECT_TRUE(font.children.empty());
    EXPECT_EQ(&skin, font.parent);
}

TEST(MarkupRead, SelfClosingTagWithOrWithoutSpaceIsTheSameElement)
{
    for (const char* text : {"<a k=1/><b/>", "<a k=1 /><b />", "<a k=\"1\"/><b/>"})
    {
        MARKUP_NODE root;
        ASSERT_TRUE(ParseText(root, text));
        auto top = Children(root);
        ASSERT_EQ(2u, top.size()) << text;
        EXPECT_EQ("a", Str(top[0]->name));
        EXPECT_EQ(Pairs({{"k", "1"}}), Attributes(*top[0])) << text;
        EXPECT_TRUE(top[0]->children.empty()) << text;
        EXPECT_EQ("b", Str(top[1]->name));
    }
}

TEST(MarkupRead, AttributeValueForms)
{
    MARKUP_NODE root;
    ASSERT_TRUE(ParseText(root, "<a Title=\"Open  a\tfile\" e=x=y flag q=\"\"/><b s=\">"));
    auto top = Children(root);
    ASSERT_EQ(2u, top.size());
    EXPECT_EQ(Pairs({{"Title", "Open  a\tfile"}, {"e", "x=y"}, {"flag", ""}, {"q", ""}}),
              Attributes(*top[0]));
    EXPECT_EQ(Pairs({{"s", "\""}}), Attributes(*top[1])); // one quote is not a quoted value
}

TEST(MarkupRead, TextIsTrimmedAndLinesAreJoined)
{
    MARKUP_NODE root;
    ASSERT_TRUE(ParseText(root, "<a>\n   hello  \n</a><b>x\ny</b><c\n d=1/><e\nf=2/>"));
    auto top = Children(root);
    ASSERT_EQ(4u, top.size());
    ASSERT_EQ(1u, top[0]->children.size());
    EXPECT_EQ("", Str(top[0]->children.front().name));
    EXPECT_EQ("hello", Str(top[0]->children.front().text));
    EXPECT_EQ("xy", Str(top[1]->children.front().text));
    EXPECT_EQ(Pairs({{"d", "1"}}), Attributes(*top[2]));
    EXPECT_EQ("ef=2", Str(top[3]->name)); // no space before the line break: one word
}

TEST(MarkupRead, WhitespaceHandlingFollowsTheGivenSet)
{
    MARKUP_NODE root;
    ASSERT_TRUE(ParseText(root, "<a> \t  </a>lead<b/>  tail "));
    auto top = Children(root);
    ASSERT_EQ(4u, top.size());
    EXPECT_TRUE(top[0]->children.empty()); // spaces and tabs alone make no node
    EXPECT_EQ("lead", Str(top[1]->text));
    EXPECT_EQ("tail", Str(top[3]->text));

    MARKUP_NODE untrimmed;
    std::string text = "<a> hi </a>";
    ASSERT_TRUE(untrimmed.Parse(text.data(), text.size(), kWhitespace, false));
    EXPECT_EQ(" hi ", Str(untrimmed.children.front().children.front().text));

    MARKUP_NODE raw; // without a set nothing counts as whitespace
    ASSERT_TRUE(ParseText(raw, "<a> \t </a>", nullptr));
    EXPECT_EQ(" \t ", Str(raw.children.front().children.front().text));
}

TEST(MarkupRead, ClosingTagsCloseWhateverIsOpen)
{
    MARKUP_NODE root;
    ASSERT_TRUE(ParseText(root, "</x><a><b></c><d/></a><e>"));
    auto top = Children(root);
    ASSERT_EQ(2u, top.size());
    EXPECT_EQ("a", Str(top[0]->name));
    auto inA = Children(*top[0]);
    ASSERT_EQ(2u, inA.size());
    EXPECT_EQ("b", Str(inA[0]->name));
    EXPECT_EQ("d", Str(inA[1]->name)); // </c> closed b
    EXPECT_EQ("e", Str(top[1]->name)); // left open: closed at the end, no error
}

TEST(MarkupRead, UnclosedElementsNest)
{
    MARKUP_NODE root;
    ASSERT_TRUE(ParseText(root, "<a><b>"));
    ASSERT_EQ(1u, root.children.size());
    ASSERT_EQ(1u, root.children.front().children.size());
    EXPECT_EQ("b", Str(root.children.front().children.front().name));
}

TEST(MarkupRead, ParseAppendsAndNeverClimbsAboveItsRoot)
{
    MARKUP_NODE root;
    ASSERT_TRUE(ParseText(root, "<a/>"));
    ASSERT_TRUE(ParseText(root, "<b/>"));
    ASSERT_EQ(2u, root.children.size());
    EXPECT_EQ("b", Str(root.children.back().name));

    MARKUP_NODE& a = root.children.front();
    ASSERT_TRUE(ParseText(a, "</x></y><q/>"));
    ASSERT_EQ(1u, a.children.size());
    EXPECT_EQ("q", Str(a.children.front().name));
    EXPECT_EQ(2u, root.children.size());
}

TEST(MarkupRead, RejectsOnlyMissingEmptyOrLineBreakText)
{
    MARKUP_NODE root;
    EXPECT_FALSE(root.Parse(nullptr, 5, kWhitespace, true));
    EXPECT_FALSE(root.Parse("<a/>", 0, kWhitespace, true));
    EXPECT_FALSE(ParseText(root, "\r\n\n\r"));
    EXPECT_FALSE(ParseText(root, std::string("\n\0\r", 3)));
    EXPECT_TRUE(root.children.empty());
    EXPECT_TRUE(ParseText(root, "  \t ")); // a document, though one with nothing in it
    EXPECT_TRUE(root.children.empty());
    EXPECT_TRUE(ParseText(root, "<>< >plain"));
    ASSERT_EQ(1u, root.children.size());
    EXPECT_EQ("plain", Str(root.children.front().text));
}

TEST(MarkupRead, HugeInputsReadWhole)
{
    const std::size_t big = 20 * 1024 * 1024;
    MARKUP_NODE oneTag;
    ASSERT_TRUE(ParseText(oneTag, "<a v=\"" + std::string(big, 'x') + "\"/>"));
    ASSERT_EQ(1u, oneTag.children.size());
    EXPECT_EQ(big, oneTag.children.front().attributes.front().value.Length());

    std::string many = "<a";
    for (int i = 0; i < 100000; ++i)
        many += " k" + std::to_string(i) + "=" + std::to_string(i);
    MARKUP_NODE manyAttributes;
    ASSERT_TRUE(ParseText(manyAttributes, many + "/>"));
    const MARKUP_NODE& a = manyAttributes.children.front();
    ASSERT_EQ(100000u, a.attributes.size());
    EXPECT_EQ("k99999", Str(a.attributes.back().key));
    EXPECT_EQ("99999", Str(a.attributes.back().value));

    // An unterminated quote keeps the rest of the text, spaces and all, in one value.
    MARKUP_NODE unterminated;
    ASSERT_TRUE(ParseText(unterminated, "<a b=\"" + Repeat("y ", big / 2)));
    const MARKUP_NODE& open = unterminated.children.front();
    ASSERT_EQ(1u, open.attributes.size());
    EXPECT_EQ(big + 1, open.attributes.front().value.Length()); // the opening quote stays
}

TEST(MarkupPath, ThemeModifiersPickByCountAmongEqualNames)
{
    MARKUP_NODE root;
    ASSERT_TRUE(ParseText(root, "<Theme Name=0/><Other/><Theme Name=1/><Other/><Theme Name=2/>"));
    auto nameOf = [&](const char* path) -> std::string
    {
        MARKUP_NODE* node = root.FindNode(path, MARKUP_FIND);
        return node ? Str(node->attributes.front().value) : "none";
    };
    EXPECT_EQ("0", nameOf("Theme"));
    EXPECT_EQ("1", nameOf("Theme#id:1"));
    EXPECT_EQ("1", nameOf("Theme#next#next#prev"));
    EXPECT_EQ("2", nameOf("Theme#last"));
    EXPECT_EQ("1", nameOf("Theme#last#next"));
    EXPECT_EQ("0", nameOf("Theme#prev"));
    EXPECT_EQ("2", nameOf("Theme#id:0x2"));
    EXPECT_EQ("0", nameOf("Theme#size:2#bogus"));
    EXPECT_EQ("none", nameOf("Theme#id:3"));
    EXPECT_EQ("none", nameOf("Theme#new"));
    EXPECT_EQ(5u, root.children.size());
}

TEST(MarkupPath, TwoSegmentPathInEachMode)
{
    MARKUP_NODE root;
    EXPECT_EQ(nullptr, root.FindNode("Skin/Font", MARKUP_FIND));
    EXPECT_TRUE(root.children.empty());

    MARKUP_NODE* font = root.FindNode("Skin/Font", MARKUP_CREATE);
    ASSERT_NE(nullptr, font);
    EXPECT_EQ("Font", Str(font->name));
    ASSERT_EQ(1u, root.children.size());
    EXPECT_EQ(font->parent, &root.children.front());
    EXPECT_EQ("Skin", Str(font->parent->name));
    EXPECT_EQ(font, root.FindNode("Skin/Font", MARKUP_CREATE)); // found, not made again
    EXPECT_EQ(font, root.FindNode("Skin/Font", MARKUP_FIND));

    MARKUP_NODE* second = root.FindNode("Skin/Font#new", MARKUP_CREATE);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(font, second);
    EXPECT_EQ(second, root.FindNode("Skin/Font#last", MARKUP_FIND));

    EXPECT_EQ(nullptr, root.FindNode("Skin/Font", MARKUP_REMOVE));
    EXPECT_EQ(second, root.FindNode("Skin/Font", MARKUP_FIND));
    EXPECT_EQ(nullptr, root.FindNode("Skin/Font", MARKUP_REMOVE));
    EXPECT_EQ(nullptr, root.FindNode("Skin/Font", MARKUP_FIND));
    ASSERT_EQ(1u, root.children.size());
    EXPECT_TRUE(root.children.front().children.empty());
    EXPECT_EQ(nullptr, root.FindNode("Skin/Font", MARKUP_REMOVE)); // nothing left to remove
}

TEST(MarkupPath, DotAndDotDotSegments)
{
    MARKUP_NODE root;
    ASSERT_TRUE(ParseText(root, "<a><x/><y>text<z/></y><w/></a><b/>"));
    MARKUP_NODE& a = root.children.front();
    auto inA = Children(a);
    auto* x = const_cast<MARKUP_NODE*>(inA[0]);
    auto* y = const_cast<MARKUP_NODE*>(inA[1]);
    auto* w = const_cast<MARKUP_NODE*>(inA[2]);

    EXPECT_EQ(y, root.FindNode(".", MARKUP_FIND, y));
    EXPECT_EQ(w, root.FindNode(".#next", MARKUP_FIND, y));
    EXPECT_EQ(x, root.FindNode(".#last#next", MARKUP_FIND, y));
    EXPECT_EQ(nullptr, root.FindNode(".#next#next", MARKUP_FIND, y));
    EXPECT_EQ(&root, root.FindNode(".", MARKUP_FIND)); // a root is its own "."
    EXPECT_EQ(nullptr, root.FindNode(".#next", MARKUP_CREATE));

    // "./" reaches the first text child, as layout files read their content text.
    MARKUP_NODE* text = root.FindNode("./", MARKUP_CREATE, y);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ("text", Str(text->text));
    MARKUP_NODE* made = root.FindNode("./", MARKUP_CREATE, w);
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(w, made->parent);
    EXPECT_EQ(0u, made->text.Length());

    // ".." scans the grandparent's children, counting every node.
    MARKUP_NODE* z = root.FindNode("a/y/z", MARKUP_FIND);
    ASSERT_NE(nullptr, z);
    EXPECT_EQ(x, root.FindNode("..", MARKUP_FIND, z));
    EXPECT_EQ(w, root.FindNode("..#last", MARKUP_FIND, z));
    EXPECT_EQ(&a, root.FindNode("..", MARKUP_FIND, x));
    EXPECT_EQ(&root.children.back(), root.FindNode("../..#next", MARKUP_FIND, z));
    for (int mode : {MARKUP_CREATE, MARKUP_REMOVE, MARKUP_FIND})
        EXPECT_EQ(nullptr, root.FindNode("..", mode, &a)); // a has no grandparent
    EXPECT_EQ(2u, root.children.size());

    EXPECT_EQ(nullptr, root.FindNode(".", MARKUP_REMOVE, x));
    EXPECT_EQ(y, &a.children.front());
    EXPECT_EQ(nullptr, root.FindNode(nullptr, MARKUP_CREATE));
}

TEST(MarkupPath, FindAttributeAddsAnAbsentKey)
{
    MARKUP_NODE root;
    ASSERT_TRUE(ParseText(root, "<Font Name=Sans Size=12 Name=Serif/>"));
    MARKUP_NODE* font = root.FindNode("Font", MARKUP_FIND);
    MARKUP_ATTRIBUTE* name = root.FindAttribute(".", "Name", MARKUP_FIND, font);
    ASSERT_NE(nullptr, name);
    EXPECT_EQ("Sans", Str(name->value)); // the first of two

    MARKUP_ATTRIBUTE* bold = root.FindAttribute(".", "Bold", MARKUP_FIND, font);
    ASSERT_NE(nullptr, bold);
    EXPECT_EQ("Bold", Str(bold->key));
    EXPECT_EQ("", Str(bold->value));
    ASSERT_EQ(4u, font->attributes.size());
    EXPECT_EQ(bold, &font->attributes.back());
    EXPECT_EQ(bold, root.FindAttribute("Font", "Bold", MARKUP_FIND));
    EXPECT_EQ("<Font Name=\"Sans\" Size=\"12\" Name=\"Serif\" Bold=\"\" />\r\n", Written(root));

    EXPECT_EQ(nullptr, root.FindAttribute("Missing", "Name", MARKUP_FIND));
    EXPECT_EQ(1u, root.children.size());
}

TEST(MarkupWrite, ElementWithTextIsThreeLines)
{
    MARKUP_NODE root;
    MARKUP_NODE& a = root.AppendChild();
    a.name = "a";
    MARKUP_ATTRIBUTE& k = a.attributes.emplace_back();
    k.key = "k";
    k.value = "v";
    a.AppendChild().text = "t";
    EXPECT_EQ("<a k=\"v\">\r\n\tt\r\n</a>\r\n", Written(root));
}

TEST(MarkupWrite, SkipsWhatHasNoTextAndIndentsByDepth)
{
    MARKUP_NODE root;
    ASSERT_TRUE(ParseText(root, "<a><b><c/>deep</b></a>top"));
    MARKUP_NODE& a = root.children.front();
    a.attributes.emplace_back().value = "keyless";
    a.AppendChild(); // no name, no text
    EXPECT_EQ("<a>\r\n\t<b>\r\n\t\t<c />\r\n\t\tdeep\r\n\t</b>\r\n</a>\r\ntop\r\n", Written(root));

    OV_STRING out = "x";
    ASSERT_TRUE(MARKUP_NODE::WriteNode(out, a.children.front(), 2));
    EXPECT_EQ("x\t\t<b>\r\n\t\t\t<c />\r\n\t\t\tdeep\r\n\t\t</b>\r\n", Str(out));
}

TEST(MarkupWrite, EmptyRootWritesNothing)
{
    MARKUP_NODE root;
    ByteBuffer buffer;
    ASSERT_TRUE(buffer.Reset(3));
    buffer.Write("abc", 3);
    EXPECT_FALSE(root.Write(buffer));
    EXPECT_EQ(3u, buffer.count);
    EXPECT_EQ(0, std::memcmp(buffer.start, "abc", 3));
}

TEST(MarkupWrite, NormalisedSkinFileReadsBackTheSame)
{
    std::ifstream file(OV_SOURCE_DIR "/tests/fuzz/corpus/markup/theme_default.xml",
                       std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    MARKUP_NODE first;
    ASSERT_TRUE(ParseText(first, text));
    std::string once = Written(first);
    MARKUP_NODE second;
    ASSERT_TRUE(ParseText(second, once));
    EXPECT_EQ(once, Written(second));
    EXPECT_NE(nullptr, first.FindNode("Theme#id:1/Style", MARKUP_FIND));
    MARKUP_NODE* font = first.FindNode("Theme/Font", MARKUP_FIND);
    ASSERT_NE(nullptr, font);
    EXPECT_EQ("data/sans.fnt", Str(first.FindAttribute(".", "MapFile", MARKUP_FIND, font)->value));
}

TEST(MarkupDeep, DocumentNestedDeeplyIsReadResolvedAndFreedWithoutRecursion)
{
    const int depth = 100000;
    RunOnSmallStack(
        [&]
        {
            auto root = std::make_unique<MARKUP_NODE>();
            ASSERT_TRUE(ParseText(*root, Repeat("<a>", depth)));
            std::string path = Repeat("a/", depth - 1) + "a";
            MARKUP_NODE* innermost = root->FindNode(path.c_str(), MARKUP_FIND);
            ASSERT_NE(nullptr, innermost);
            EXPECT_TRUE(innermost->children.empty());

            // 100,000 levels of tabs come to about 10 GB: more than a buffer holds.
            ByteBuffer buffer;
            EXPECT_FALSE(root->Write(buffer));
            EXPECT_EQ(0u, buffer.count);

            root->FindNode((path + "/b").c_str(), MARKUP_CREATE);
            root.reset();
        });
}

TEST(MarkupDeep, DeepDocumentIsWrittenWithoutRecursion)
{
    const std::size_t depth = 4000;
    RunOnSmallStack(
        [&]
        {
            MARKUP_NODE root;
            ASSERT_TRUE(ParseText(root, Repeat("<a>", depth)));
            std::string text = Written(root);
            // Every level but the innermost opens and closes on lines of its own.
            std::size_t expected = 7 + (depth - 1);
            for (std::size_t level = 0; level + 1 < depth; ++level)
                expected += 11 + 2 * level;
            EXPECT_EQ(expected, text.size());
            std::size_t inner = text.find("<a />\r\n");
            ASSERT_NE(std::string::npos, inner);
            ASSERT_GE(inner, depth);
            EXPECT_EQ(std::string(depth - 1, '\t'), text.substr(inner - (depth - 1), depth - 1));
            EXPECT_EQ('\n', text[inner - depth]);
            EXPECT_EQ("</a>\r\n", text.substr(text.size() - 6));
        });
}
