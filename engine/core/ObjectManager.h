// Owning container of engine objects. Callers keep object pointers, never slot numbers: adding reuses the
// slot freed last, and a table less than half full after a removal is packed at once. Next to it, the
// helpers that empty vectors of owned or nullable pointers.
#pragma once

#include "engine/core/Types.h"

#include <algorithm>
#include <deque>
#include <memory>
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
    virtual ~ObjectManager() = default;

    // Takes ownership and returns the object; null is ignored.
    T* Add(std::unique_ptr<T> object)
    {
        if (object == nullptr)
            return nullptr;
        ++m_count;
        T* added = object.get();
        if (m_freeSlots.empty())
        {
            m_slots.push_back(std::move(object));
            return added;
        }
        m_slots[m_freeSlots.back()] = std::move(object);
        m_freeSlots.pop_back();
        return added;
    }

    // Takes the object out and gives its ownership back to the caller, who may delete it outside any lock
    // guarding this container; null when the object is not held here.
    std::unique_ptr<T> Extract(const T* object)
    {
        if (object == nullptr)
            return nullptr;
        const auto found = std::find_if(m_slots.begin(), m_slots.end(),
                                        [&](const std::unique_ptr<T>& slot) { return slot.get() == object; });
        if (found == m_slots.end())
            return nullptr;
        std::unique_ptr<T> detached = std::move(*found);
        m_freeSlots.push_back(static_cast<u32>(found - m_slots.begin()));
        --m_count;
        if (m_count * 2 < m_slots.size())
            Compact();
        return detached;
    }

    u32 GetCount() const { return m_count; }
    // Slots in use and empty together; an empty slot holds null.
    u32 GetSlotCount() const { return static_cast<u32>(m_slots.size()); }
    T* GetSlot(u32 index) const { return m_slots[index].get(); }

    // The objects in slot order, copied: a pass over them may add objects to the container.
    std::vector<T*> GetObjects() const
    {
        std::vector<T*> objects;
        objects.reserve(m_count);
        ForEach([&](T& object) { objects.push_back(&object); });
        return objects;
    }

    // Visits the objects in slot order, as the owners' per-frame passes need.
    template <typename Visit>
    void ForEach(Visit&& visit) const
    {
        for (const std::unique_ptr<T>& slot : m_slots)
            if (slot != nullptr)
                visit(*slot);
    }

private:
    void Compact()
    {
        m_slots.erase(std::remove(m_slots.begin(), m_slots.end(), nullptr), m_slots.end());
        m_slots.shrink_to_fit();
        m_freeSlots.clear();
    }

    u32 m_count = 0;
    std::vector<std::unique_ptr<T>> m_slots;
    std::deque<u32> m_freeSlots;
};
}
