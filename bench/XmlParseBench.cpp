// Parsing a skin-like UTF-8 document of about 2 MB against the floor the design imposes:
// converting the same bytes to UTF-16, which every parse starts with.
#include "bench/BenchTimer.h"
#include "ui/skin/XmlDoc.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string MakeDocument(size_t targetBytes)
{
    std::string text = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window size=\"454,200\" caption=\"0,0,0,220\">\n";
    int page = 0;
    while (text.size() < targetBytes) {
        text += "  <VerticalLayout name=\"page" + std::to_string(page) + "\" width=\"454\" height=\"200\" "
                "bkimage=\"file='bgtop.png' corner='4,4,4,4'\">\n";
        for (int row = 0; row < 8; ++row) {
            text += "    <HorizontalLayout padding=\"0,45,0,0\" height=\"50\">\n"
                    "      <Control width=\"250\" />\n"
                    "      <Button name=\"btn_" + std::to_string(page) + "_" + std::to_string(row) +
                    "\" width=\"68\" height=\"26\" normalimage=\"file='uninstall.png' source='0,0,68,26'\" "
                    "hotimage=\"file='uninstall.png' source='0,27,68,53'\" text=\"\xE5\x8D\xB8\xE8\xBD\xBD &amp; go\" />\n"
                    "      <Label font=\"0\" width=\"90\" textcolor=\"#ff555555\" text=\"\xE6\xAD\xA3\xE5\x9C\xA8\" />\n"
                    "    </HorizontalLayout>\n";
        }
        text += "  </VerticalLayout>\n";
        ++page;
    }
    text += "</Window>\n";
    return text;
}

} // namespace

int main()
{
    const std::string document = MakeDocument(2 * 1024 * 1024);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(document.data());
    const DWORD count = static_cast<DWORD>(document.size());

    bool parsed = true;
    const double parse = bench::MedianSeconds(9, [&] {
        VarnUI::CXmlDoc doc;
        parsed = parsed && doc.LoadFromBytes(bytes, count, VarnUI::XMLENC_UTF8);
    });
    std::vector<wchar_t> wide(document.size() + 1);
    const double convert = bench::MedianSeconds(9, [&] {
        ::MultiByteToWideChar(CP_UTF8, 0, document.data(), static_cast<int>(count), wide.data(),
                              static_cast<int>(wide.size()));
    });
    // The same conversion into a block allocated for each call, as the parse's own text is:
    // the first touch of fresh pages is part of any such conversion.
    const double freshConvert = bench::MedianSeconds(9, [&] {
        std::vector<wchar_t> fresh(document.size() + 1);
        ::MultiByteToWideChar(CP_UTF8, 0, document.data(), static_cast<int>(count), fresh.data(),
                              static_cast<int>(fresh.size()));
    });
    if (!parsed) {
        std::printf("the document did not parse\n");
        return 1;
    }
    const double megabytes = static_cast<double>(count) / (1024.0 * 1024.0);
    std::printf("document: %.2f MB UTF-8, median of 9 runs\n", megabytes);
    std::printf("LoadFromBytes:              %8.2f ms  %8.1f MB/s\n", parse * 1000.0, megabytes / parse);
    std::printf("UTF-8 to UTF-16 alone:      %8.2f ms  %8.1f MB/s\n", convert * 1000.0, megabytes / convert);
    std::printf("ratio parse/conversion:     %8.2f (target <= 3)\n", parse / convert);
    std::printf("conversion, fresh block:    %8.2f ms\n", freshConvert * 1000.0);
    std::printf("ratio parse/fresh:          %8.2f\n", parse / freshConvert);
    return 0;
}
