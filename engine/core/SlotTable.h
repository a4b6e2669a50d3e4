// Owning table of objects under reusable ids, shared by the managers that create and delete objects for
// others. A new object takes the id freed longest ago (first in, first out), or a new id past the end;
// the objects in use are walked in the order they were added.
#pragma once

#include "engine/core/Types.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <vector>

namespace VelkorEngine
{
template <typename T>
class SlotTable
{
public:
    SlotTable() = default;
    SlotTable(const SlotTable&) = delete;
    SlotTable& operator=(const SlotTable&) = delete;
    ~SlotTable() { Clear(); }

    // Takes ownership and returns the object for the caller to keep.
    T* Add(std::unique_ptr<T> object)
    {
        const u32 id = TakeId();
        m_idsInUse.push_back(id);
        if (id == m_slots.size())
            m_slots.push_back(std::move(object));
        else
            m_slots[id] = std::move(object);
        return m_slots[id].get();
    }

    // Deletes an object of this table and frees its id; false (and nothing deleted) for any other pointer,
    // so an object is never freed twice.
    bool Remove(const T* object)
    {
        if (object == nullptr)
            return false;
        const auto used = std::find_if(m_idsInUse.begin(), m_idsInUse.end(),
                                       [&](u32 id) { return m_slots[id].get() == object; });
        if (used == m_idsInUse.end())
            return false;
        const u32 id = *used;
        m_slots[id].reset();
        m_freeIds.push_back(id);
        m_idsInUse.erase(used);
        return true;
    }

    // Deletes every object in the order they were added.
    void Clear()
    {
        for (u32 id : m_idsInUse)
            m_slots[id].reset();
        m_idsInUse.clear();
        m_freeIds.clear();
        m_slots.clear();
    }

    u32 GetCount() const { return static_cast<u32>(m_idsInUse.size()); }
    // Ids in use and free together: one past the largest id ever given.
    u32 GetSlotCount() const { return static_cast<u32>(m_slots.size()); }
    // The i-th object in the order of adding (i below the count), or null past the end.
    T* GetInUse(u32 index) const { return index < m_idsInUse.size() ? m_slots[m_idsInUse[index]].get() : nullptr; }

    template <typename Visit>
    void ForEach(Visit&& visit) const
    {
        for (u32 id : m_idsInUse)
            visit(*m_slots[id]);
    }

    template <typename Predicate>
    bool AnyOf(Predicate&& predicate) const
    {
        return std::any_of(m_idsInUse.begin(), m_idsInUse.end(),
                           [&](u32 id) { return predicate(static_cast<const T&>(*m_slots[id])); });
    }

private:
    u32 TakeId()
    {
        if (m_freeIds.empty())
            return static_cast<u32>(m_slots.size());
        const u32 id = m_freeIds.front();
        m_freeIds.pop_front();
        return id;
    }

    std::vector<std::unique_ptr<T>> m_slots;
    std::vector<u32> m_idsInUse;
    std::deque<u32> m_freeIds;
};
}
