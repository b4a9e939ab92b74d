#include "app/DialogCatalogue.h"

namespace ks::gui {

void CDialogCatalogue::add(DialogKind kind, DialogFactory factory, std::string extension) {
    if (!factory)
        return;
    m_entries[kind] = Entry{std::move(factory), std::move(extension)};
}

bool CDialogCatalogue::has(DialogKind kind) const {
    return m_entries.count(kind) != 0;
}

std::string CDialogCatalogue::extension(DialogKind kind) const {
    const auto it = m_entries.find(kind);
    return it == m_entries.end() ? std::string() : it->second.extension;
}

std::unique_ptr<QDialog> CDialogCatalogue::create(DialogKind kind,
                                                  const DialogRequest& request) const {
    const auto it = m_entries.find(kind);
    if (it == m_entries.end())
        return nullptr;
    return it->second.factory(request);
}

std::vector<DialogKind> CDialogCatalogue::available(const std::vector<DialogKind>& kinds) const {
    std::vector<DialogKind> out;
    for (DialogKind k : kinds)
        if (has(k))
            out.push_back(k);
    return out;
}

} // namespace ks::gui
