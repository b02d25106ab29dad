// Links that hold on to their data source (detail tables, grid models) and
// must let go when the source is destroyed before them.
#pragma once

#include "platform/db/dataset.h"

#include <functional>

namespace db {

class SourceLink : public DataLink {
public:
    virtual void SourceDestroyed() = 0;
};

// The data source of a bound control: holds it, listens to it and lets go
// when either side goes. Every notice, also the source's end, reaches the
// owner as `changed`, a move of the current row as `moved`.
class SourceBinding final : public SourceLink {
public:
    SourceBinding(std::function<void()> changed, std::function<void()> moved)
        : changed_(std::move(changed)), moved_(std::move(moved)) {}
    ~SourceBinding() override { Bind(nullptr); }
    SourceBinding(const SourceBinding&) = delete;
    SourceBinding& operator=(const SourceBinding&) = delete;

    DataSource* Source() const { return source_; }
    // Listens to `source` from now on; false when it was the source already.
    bool Bind(DataSource* source)
    {
        if (source == source_)
            return false;
        if (source_)
            source_->RemoveLink(this);
        source_ = source;
        if (source_)
            source_->AddLink(this);
        return true;
    }

    void DataSetChanged() override { changed_(); }
    void RecordChanged() override { moved_(); }
    void SourceDestroyed() override
    {
        source_ = nullptr;
        changed_();
    }

private:
    std::function<void()> changed_;
    std::function<void()> moved_;
    DataSource* source_ = nullptr;
};

} // namespace db
