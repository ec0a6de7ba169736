#include "run_report/preview_stays.h"

#include "run_report/run_messages.h"
#include "run_report/standard_output.h"

void PreviewStays::WriteTo(StandardLineWriter& out) const {
    for (const auto& [reason, paths] : groups_) {
        out.Add(PreviewStayText(reason, paths.size()));
        for (const std::wstring& path : paths) out.Add(path);
    }
}

std::wstring PreviewStays::Headings() const {
    std::wstring text;
    for (const auto& [reason, paths] : groups_) {
        if (!text.empty()) text += L"\r\n";
        text += PreviewStayText(reason, paths.size());
    }
    return text;
}
