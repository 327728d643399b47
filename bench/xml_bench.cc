// Parsing a macro collection of about 5 MB and reading every attribute of
// every item: this layer next to pugixml, in the same binary. Writing one of
// 1,000 macros of 50 events the way the exporter does: every edit lands near
// the end of a growing text.

#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <string>

#include "base/decimal.h"
#include "xml/xml_text_document.h"

namespace {

constexpr const char16_t* kItemAttributes[] = {u"desc", u"index", u"type", u"value", u"timestamp"};
constexpr const char* kItemAttributesNarrow[] = {"desc", "index", "type", "value", "timestamp"};

std::u16string MakeCollection() {
    std::u16string text = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n";
    int stamp = 51000;
    for (int m = 0; text.size() < 5'000'000; ++m) {
        text += u"<macro_item macro_name=\"Macro " + tessaly::IntToDecimal(m) +
                u"\" macro_type=\"0\" play_times=\"3\" delay_type=\"1\" delay_time=\"0\">\r\n"
                u"<record_item>\r\n";
        for (int e = 0; e < 60; ++e) {
            const bool delay = e % 2 == 1;
            text += u"<item desc=\"" + std::u16string(delay ? u"10 ms" : u"\u2193  A") +
                    u"\" index=\"" + tessaly::IntToDecimal(e) + u"\" type=\"" +
                    (delay ? u"1" : u"2") + u"\" value=\"" + (delay ? u"10" : u"65") +
                    u"\" timestamp=\"" + tessaly::IntToDecimal(stamp++) + u"\"/>\r\n";
        }
        text += u"</record_item>\r\n</macro_item>\r\n";
    }
    return text + u"</macro>\r\n";
}

const std::u16string& Collection() {
    static const std::u16string text = MakeCollection();
    return text;
}

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {  // the arrow: three bytes in UTF-8
            out += "\xE2\x86\x93";
        }
    }
    return out;
}

void XmlTextDocumentParseAndWalk(benchmark::State& state) {
    const std::u16string& text = Collection();
    int64_t sum = 0;
    for (auto _ : state) {
        tessaly::XmlTextDocument doc;
        doc.SetText(text);
        doc.FindElement(u"macro");
        doc.EnterElement();
        while (doc.FindElement(u"macro_item")) {
            doc.EnterElement();
            if (doc.FindElement(u"record_item")) {
                doc.EnterElement();
                while (doc.FindElement(u"item")) {
                    for (const char16_t* name : kItemAttributes)
                        sum += doc.GetAttribute(name).size();
                }
                doc.LeaveElement();
            }
            doc.LeaveElement();
        }
        benchmark::DoNotOptimize(sum);
    }
    // Throughput in UTF-8 bytes, the size of the file on disk.
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Narrow(text).size()));
}

void PugixmlParseAndWalk(benchmark::State& state) {
    const std::string text = Narrow(Collection());
    int64_t sum = 0;
    for (auto _ : state) {
        pugi::xml_document doc;
        doc.load_buffer(text.data(), text.size());
        for (pugi::xml_node item_node : doc.child("macro").children("macro_item")) {
            for (pugi::xml_node item : item_node.child("record_item").children("item")) {
                for (const char* name : kItemAttributesNarrow) {
                    sum += static_cast<int64_t>(
                        std::char_traits<char>::length(item.attribute(name).value()));
                }
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

void XmlTextDocumentParseOnly(benchmark::State& state) {
    const std::u16string& text = Collection();
    for (auto _ : state) {
        tessaly::XmlTextDocument doc;
        benchmark::DoNotOptimize(doc.SetText(text));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Narrow(text).size()));
}

void XmlTextDocumentWriteCollection(benchmark::State& state) {
    constexpr int kMacros = 1000;
    constexpr int kEvents = 50;
    size_t units = 0;
    for (auto _ : state) {
        tessaly::XmlTextDocument doc;
        doc.SetText(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
        doc.AddElement(u"macro");
        doc.EnterElement();
        int stamp = 51000;
        for (int m = 0; m < kMacros; ++m) {
            doc.AddElement(u"macro_item");
            doc.SetAttribute(u"macro_name", u"Macro " + tessaly::IntToDecimal(m));
            doc.SetAttribute(u"macro_type", u"0");
            doc.SetAttribute(u"play_times", u"3");
            doc.SetAttribute(u"delay_type", u"1");
            doc.SetAttribute(u"delay_time", u"0");
            doc.EnterElement();
            doc.AddElement(u"record_item");
            doc.EnterElement();
            for (int e = 0; e < kEvents; ++e) {
                const bool delay = e % 2 == 1;
                doc.AddElement(u"item");
                doc.SetAttribute(u"desc", delay ? u"10 ms" : u"\u2193  A");
                doc.SetAttribute(u"index", tessaly::IntToDecimal(e));
                doc.SetAttribute(u"type", delay ? u"1" : u"2");
                doc.SetAttribute(u"value", delay ? u"10" : u"65");
                doc.SetAttribute(u"timestamp", tessaly::IntToDecimal(stamp++));
            }
            doc.LeaveElement();
            doc.LeaveElement();
        }
        units = doc.GetText().size();
        benchmark::DoNotOptimize(units);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kMacros);
    state.counters["units"] = static_cast<double>(units);
}

BENCHMARK(XmlTextDocumentParseOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(XmlTextDocumentParseAndWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlParseAndWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(XmlTextDocumentWriteCollection)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
