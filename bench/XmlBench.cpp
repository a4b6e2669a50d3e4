// Parsing a generated 5 MB window description, from the file to a tree and back to nothing, with our parser
// and with pugixml and tinyxml2; prints our time as a ratio of theirs. Both trees are counted once, outside the
// timing: a parser that built less would fail the benchmark.
#include "bench/support/RatioReporter.h"
#include "engine/core/MessageManager.h"
#include "engine/files/FileManager.h"
#include "engine/files/FileTextual.h"
#include "engine/files/XMLParser.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <pugixml.hpp>
#include <tinyxml2.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr size_t DocumentSize = 5 * 1024 * 1024;
const char* const DocumentName = "Data\\windows.xml";

// Windows of controls, each with its placement, colours, faders and caption, as the GUI's files hold them.
std::string MakeDocument()
{
    std::string text = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<windows>\r\n";
    for (int window = 0; text.size() < DocumentSize; ++window)
    {
        const std::string w = std::to_string(window);
        text += "  <!-- window " + w + " -->\r\n";
        text += "  <window name=\"window_" + w + "\" position=\"" + std::to_string(window % 800) + " " +
                std::to_string(window % 600) + "\" size=\"320 240\" visible=\"1\" template='menu'>\r\n";
        for (int control = 0; control < 8; ++control)
        {
            const std::string c = std::to_string(control);
            text += "    <control type=\"button\" name=\"control_" + w + "_" + c + "\" position=\"0." + c +
                    "5 0.25\" size=\"120 32\" colour=\"1 0.5 0.25 1\">\r\n";
            text += "      <fader name=\"fade_" + c + "\" speed=\"1.5\" delay=\"0." + c + "\"/>\r\n";
            text += "      <text font=\"menu\" align=\"centre\">Caption number " + w + " " + c + "</text>\r\n";
            text += "    </control>\r\n";
        }
        text += "  </window>\r\n";
    }
    return text + "</windows>\r\n";
}

class Installation
{
public:
    Installation() : m_files(m_log.get(), m_folder.Path(), "Data")
    {
        m_folder.WriteFile("Data/windows.xml", MakeDocument());
    }

    VelkorEngine::FileManager& Files() { return m_files; }
    std::string DocumentPath() const { return m_folder / "Data/windows.xml"; }

private:
    TestSupport::TempFolder m_folder;
    std::unique_ptr<VelkorEngine::MessageManager> m_log = TestSupport::MakeQuietLog();
    VelkorEngine::FileManager m_files;
};

Installation& TheInstallation()
{
    static Installation installation;
    return installation;
}

void OursFromFile(benchmark::State& state)
{
    GameTools::XMLParser parser(&TheInstallation().Files());
    for (auto _ : state)
    {
        GameTools::XMLNode* root = nullptr;
        parser.Parse(root, DocumentName);
        benchmark::DoNotOptimize(root);
        delete root;
    }
}

// The same without reading the file, to tell the text reading from the tree building.
void OursFromText(benchmark::State& state)
{
    std::wstring text;
    TheInstallation().Files().OpenTextual(DocumentName, 0, 0)->ReadAll(text, 0);
    for (auto _ : state)
    {
        GameTools::XMLNode* root = nullptr;
        GameTools::XMLParser::ParseText(root, text);
        benchmark::DoNotOptimize(root);
        delete root;
    }
}

void Pugixml(benchmark::State& state)
{
    const std::string path = TheInstallation().DocumentPath();
    for (auto _ : state)
    {
        pugi::xml_document document;
        if (!document.load_file(path.c_str()))
            state.SkipWithError("pugixml could not parse the document");
        benchmark::DoNotOptimize(document.first_child());
    }
}

// Elements and attributes of a tree, to tell that both parsers built the whole document.
struct TreeSize
{
    size_t elements = 0;
    size_t attributes = 0;
    bool operator==(const TreeSize&) const = default;
};

void Measure(const GameTools::XMLNode& node, TreeSize& size)
{
    ++size.elements;
    size.attributes += node.GetAttributes().Size();
    std::vector<GameTools::XMLNode*> children;
    node.GetChildren(children);
    for (const GameTools::XMLNode* child : children)
        Measure(*child, size);
}

void Measure(const tinyxml2::XMLElement& element, TreeSize& size)
{
    ++size.elements;
    for (const tinyxml2::XMLAttribute* attribute = element.FirstAttribute(); attribute; attribute = attribute->Next())
        ++size.attributes;
    for (const tinyxml2::XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement())
        Measure(*child, size);
}

bool& TreesDiffer()
{
    static bool differ = false;
    return differ;
}

bool BothTreesHoldTheDocument()
{
    GameTools::XMLNode* root = nullptr;
    GameTools::XMLParser(&TheInstallation().Files()).Parse(root, DocumentName);
    const std::unique_ptr<GameTools::XMLNode> ours(root);
    tinyxml2::XMLDocument document;
    if (!ours || document.LoadFile(TheInstallation().DocumentPath().c_str()) != tinyxml2::XML_SUCCESS ||
        !document.RootElement())
        return false;
    TreeSize oursSize;
    TreeSize theirSize;
    Measure(*ours, oursSize);
    Measure(*document.RootElement(), theirSize);
    return oursSize == theirSize && oursSize.elements > 1;
}

void Tinyxml2(benchmark::State& state)
{
    const std::string path = TheInstallation().DocumentPath();
    for (auto _ : state)
    {
        tinyxml2::XMLDocument document;
        if (document.LoadFile(path.c_str()) != tinyxml2::XML_SUCCESS)
            state.SkipWithError("tinyxml2 could not parse the document");
        benchmark::DoNotOptimize(document.FirstChild());
    }
    if (!BothTreesHoldTheDocument())
    {
        TreesDiffer() = true;
        state.SkipWithError("our tree and tinyxml2's differ in elements or attributes");
    }
}

BENCHMARK(OursFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(OursFromText)->Unit(benchmark::kMillisecond);
BENCHMARK(Pugixml)->Unit(benchmark::kMillisecond);
BENCHMARK(Tinyxml2)->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv)
{
    // The C library tunes its heap from the largest blocks freed so far: a parser that frees a 20 MB buffer
    // leaves every parser after it a heap that is never given back, while one freeing less has its tree's
    // memory trimmed and faulted in again on every iteration. Fixed settings let each parser run on the
    // same heap whatever ran before it.
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    BenchSupport::RatioReporter reporter;
    BenchSupport::RunBenchmarks(argc, argv, reporter);
    reporter.PrintRatio("5 MB XML from a file: ours / tinyxml2", "OursFromFile", "Tinyxml2", 1.0);
    reporter.PrintRatio("5 MB XML from a file: ours / pugixml", "OursFromFile", "Pugixml", 0);
    reporter.PrintRatio("5 MB XML from text in memory: ours / tinyxml2 from its file", "OursFromText", "Tinyxml2", 0);
    if (TreesDiffer())
    {
        std::printf("5 MB XML: our tree and tinyxml2's differ in elements or attributes\n");
        return 1;
    }
    return 0;
}
