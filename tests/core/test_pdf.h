#pragma once

#include <functional>
#include <string>
#include <vector>

// A PDF of the given objects (1: catalog, 2: pages) with a correct cross-reference table; the
// trailer's further entries are given where that table starts, for a /Prev that points at it.
inline std::string PdfOfObjects(
    const std::vector<std::string>& objects, const std::function<std::string(size_t xref)>& trailer)
{
    std::string pdf = "%PDF-1.4\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const size_t offset : offsets) {
        const std::string number = std::to_string(offset);
        pdf += std::string(10 - number.size(), '0') + number + " 00000 n \n";
    }
    return pdf + "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R" + trailer(xref)
        + " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
}
