#pragma once
// The matches a preview found that its run would leave, grouped by reason.
#include <map>
#include <string>
#include <vector>
#include "removal_judge.h"

class StandardLineWriter;

class PreviewStays {
public:
    void Add(const std::wstring& path, modMain::StayReason reason) { groups_[reason].push_back(path); }

    // Each reason's heading ("2 matching files would stay (read-only).") and its
    // paths, one per line, in a fixed order of reasons.
    void WriteTo(StandardLineWriter& out) const;
    // The headings alone, one per line ("" when nothing stays).
    std::wstring Headings() const;

private:
    std::map<modMain::StayReason, std::vector<std::wstring>> groups_;
};
