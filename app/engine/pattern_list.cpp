#include "pattern_list.h"

#include <stdexcept>
#include "command_line.h"

namespace modMain {

FileCollection colFiles;

std::wstring FileCollection::KeyText(int32_t key) { return L"K" + std::to_wstring(key); }

cFileItem& FileCollection::Item(int32_t position) {
    if (position < 1 || position > Count()) throw std::out_of_range("No entry at this position.");
    return items_[static_cast<size_t>(position - 1)];
}

const cFileItem& FileCollection::Item(int32_t position) const {
    return const_cast<FileCollection*>(this)->Item(position);
}

cFileItem* FileCollection::Find(std::wstring_view keyText) {
    const auto found = positions_.find(std::wstring(keyText));
    return found == positions_.end() ? nullptr : &items_[found->second];
}

const cFileItem* FileCollection::Find(std::wstring_view keyText) const {
    return const_cast<FileCollection*>(this)->Find(keyText);
}

void FileCollection::Add(cFileItem item, const std::wstring& keyText) {
    if (!positions_.emplace(keyText, items_.size()).second) throw std::invalid_argument("The key is already in use.");
    try {
        items_.push_back(std::move(item));
    } catch (...) {
        positions_.erase(keyText);
        throw;
    }
}

bool FileCollection::Remove(std::wstring_view keyText) {
    const auto found = positions_.find(std::wstring(keyText));
    if (found == positions_.end()) return false;
    const size_t removed = found->second;
    positions_.erase(found);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(removed));
    for (auto& [key, position] : positions_)
        if (position > removed) --position;
    return true;
}

void FileCollection::Clear() noexcept {
    items_.clear();
    positions_.clear();
    encoding_ = ListEncoding::Ansi;
}

int32_t FileCollection::NextKey() const noexcept { return items_.empty() ? 1 : items_.back().Key + 1; }




}  // namespace modMain
