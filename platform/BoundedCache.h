#pragma once

// A thread-safe map of bounded size that forgets the least recently used
// entries first. The font and glyph caches use it: a drawing that keeps
// asking for new entries (texts at a thousand angles) then costs only its
// own misses, and the fonts and glyphs every other text uses stay.
//
// Values are made by the caller outside the lock (making one may take a
// while) and then kept; two threads that make the same value at once keep
// the first.

#include <cstddef>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <utility>

template <typename Key, typename Value, typename Hash = std::hash<Key>>
class TBoundedCache {
public:
    // At most `entries_limit` entries whose costs add up to at most
    // `cost_limit` (an entry costing more than that on its own is still
    // kept, alone).
    explicit TBoundedCache(std::size_t entries_limit, std::size_t cost_limit = static_cast<std::size_t>(-1))
        : entries_limit_(entries_limit < 1 ? 1 : entries_limit), cost_limit_(cost_limit)
    {
    }
    TBoundedCache(const TBoundedCache&) = delete;
    TBoundedCache& operator=(const TBoundedCache&) = delete;

    std::optional<Value> Find(const Key& key)
    {
        const std::lock_guard lock(mutex_);
        const auto found = index_.find(key);
        if (found == index_.end())
            return std::nullopt;
        entries_.splice(entries_.begin(), entries_, found->second);
        return found->second->value;
    }

    // The value kept for the key: `value`, or the one another thread kept
    // first.
    Value Keep(const Key& key, Value value, std::size_t cost = 1)
    {
        const std::lock_guard lock(mutex_);
        const auto found = index_.find(key);
        if (found != index_.end())
            return found->second->value;
        entries_.push_front(TEntry { key, std::move(value), cost });
        index_.emplace(key, entries_.begin());
        cost_ += cost;
        while (entries_.size() > 1 && (entries_.size() > entries_limit_ || cost_ > cost_limit_))
            ForgetOldest();
        return entries_.front().value;
    }

    std::size_t Size()
    {
        const std::lock_guard lock(mutex_);
        return entries_.size();
    }

private:
    struct TEntry {
        Key key;
        Value value;
        std::size_t cost;
    };

    void ForgetOldest()
    {
        const TEntry& oldest = entries_.back();
        cost_ -= oldest.cost;
        index_.erase(oldest.key);
        entries_.pop_back();
    }

    std::mutex mutex_;
    std::size_t entries_limit_;
    std::size_t cost_limit_;
    std::size_t cost_ = 0;
    // Most recently used first.
    std::list<TEntry> entries_;
    std::unordered_map<Key, typename std::list<TEntry>::iterator, Hash> index_;
};
