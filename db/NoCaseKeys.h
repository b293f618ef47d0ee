#pragma once
// Keys for grouping rows in the program as the database groups them: text
// compared under the NOCASE collation (the ASCII letters A-Z taken as a-z,
// every other byte as it is), and an index that numbers byte-string keys,
// for the reports and lists that read rows by the hundred thousand.
#include <QByteArrayView>
#include <QtGlobal>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Db {

inline char foldedNoCase(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

// Appends text with its ASCII capitals made small.
inline void appendFoldedNoCase(std::string& out, QByteArrayView text)
{
    const size_t at = out.size();
    out.append(text.data(), size_t(text.size()));
    for (size_t i = at; i < out.size(); ++i)
        out[i] = foldedNoCase(out[i]);
}

// Byte-string keys numbered from 0 in the order they were added, found by
// their bytes: open addressing over the keys' hashes, the keys kept one after
// the other in one block, so that a year of keys costs no allocation each.
class KeyIndex {
public:
    int size() const { return int(m_starts.size()) - 1; }
    std::string_view key(int n) const
    {
        return std::string_view(m_bytes).substr(m_starts[size_t(n)], m_starts[size_t(n) + 1] - m_starts[size_t(n)]);
    }
    // The key's number; -1 when it was never added.
    int find(std::string_view key) const { return m_slots[slotOf(key, hashOf(key))].number; }
    // The key's number, and whether it was added now.
    std::pair<int, bool> add(std::string_view key)
    {
        const quint32 hash = hashOf(key);
        Slot& slot = m_slots[slotOf(key, hash)];
        if (slot.number >= 0)
            return {slot.number, false};
        const int n = size();
        slot = {hash, n};
        m_bytes.append(key);
        m_starts.push_back(m_bytes.size());
        if (2 * m_starts.size() > m_slots.size())
            grow();
        return {n, true};
    }

private:
    struct Slot {
        quint32 hash = 0;   // its key's hash, the low bits
        qint32 number = -1;   // -1: a free slot
    };
    static quint32 hashOf(std::string_view key) { return quint32(std::hash<std::string_view>{}(key)); }
    // The slot that holds the key, or the free slot where it would go.
    size_t slotOf(std::string_view key, quint32 hash) const
    {
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& s = m_slots[i];
            if (s.number < 0 || (s.hash == hash && this->key(s.number) == key))
                return i;
        }
    }
    void grow()
    {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        const size_t mask = m_slots.size() - 1;
        for (const Slot& s : old) {
            if (s.number < 0)
                continue;
            size_t i = s.hash & mask;
            while (m_slots[i].number >= 0)
                i = (i + 1) & mask;
            m_slots[i] = s;
        }
    }

    std::string m_bytes;
    std::vector<size_t> m_starts{0};
    std::vector<Slot> m_slots = std::vector<Slot>(1024);   // a power of two, at most half used
};

} // namespace Db
