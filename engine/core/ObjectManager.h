// Owning container of engine objects. Callers keep object pointers, never slot numbers: adding reuses the
// slot freed last, and a table less than half full after a removal is packed at once. Next to it, the
// helpers that empty vectors of owned or nullable pointers.
#pragma once

#include "engine/core/Types.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace VelkorEngine
{
// Deletes every element (null ones are skipped) and empties the vector.
template <typename T>
void DeleteAll(std::vector<T*>& objects)
{
    for (T* object : objects)
        delete object;
    objects.clear();
}

// For vectors of plain records: the same as DeleteAll, so each record's destructor runs and frees what
// the record owns (its strings, for one).
template <typename T>
void DeleteAllPointers(std::vector<T*>& records)
{
    DeleteAll(records);
}

// Removes the null entries in one pass, keeping the order of the rest, and shrinks the vector to them.
template <typename T>
void RemoveNullPointers(std::vector<T*>& pointers)
{
    pointers.erase(std::remove(pointers.begin(), pointers.end(), nullptr), pointers.end());
    pointers.shrink_to_fit();
}

template <typename T>
class ObjectManager
{
public:
    ObjectManager() = default;
    ObjectManager(const ObjectManager&) = delete;
    ObjectManager& operator=(const ObjectManager&) = delete;
    virtual ~ObjectManager() { DeleteAll(m_slots); }

    // Takes ownership; null is ignored.
    void Add(T* object)
    {
        if (object == nullptr)
            return;
        ++m_count;
        if (m_freeSlots.empty())
        {
            m_slots.push_back(object);
            return;
        }
        m_slots[m_freeSlots.back()] = object;
        m_freeSlots.pop_back();
    }

    // Gives up ownership without deleting; false when the object is not held here.
    bool DetachObject(T* object)
    {
        if (object == nullptr)
            return false;
        const auto found = std::find(m_slots.begin(), m_slots.end(), object);
        if (found == m_slots.end())
            return false;
        *found = nullptr;
        m_freeSlots.push_back(static_cast<u32>(found - m_slots.begin()));
        --m_count;
        if (m_count * 2 < m_slots.size())
            Compact();
        return true;
    }

    u32 GetCount() const { return m_count; }
    // Walked in index order by the owners' per-frame passes; empty slots hold null.
    const std::vector<T*>& GetSlots() const { return m_slots; }

private:
    void Compact()
    {
        RemoveNullPointers(m_slots);
        m_freeSlots.clear();
    }

    u32 m_count = 0;
    std::vector<T*> m_slots;
    std::deque<u32> m_freeSlots;
};
}
