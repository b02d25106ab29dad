#include "platform/db/dataset.h"

#include "platform/db/dataset_impl.h"
#include "platform/db/source_link.h"

#include <algorithm>
#include <exception>

namespace db {

DataSource::DataSource(std::string name) : name_(std::move(name)) {}

DataSource::~DataSource()
{
    if (dataSet_)
        std::erase(dataSet_->d_->sources, this);
    for (DataLink* link : std::vector(links_))
        if (auto* l = dynamic_cast<SourceLink*>(link))
            l->SourceDestroyed();
}

void DataSource::SetDataSet(Dataset* ds)
{
    if (ds == dataSet_)
        return;
    if (dataSet_)
        std::erase(dataSet_->d_->sources, this);
    dataSet_ = ds;
    if (ds)
        ds->d_->sources.push_back(this);
    // A dataset with its controls disabled tells its sources when enabled again.
    if (!ds || ds->d_->disabled == 0)
        notifyDataSetChanged();
}

void DataSource::AddLink(DataLink* link)
{
    if (std::find(links_.begin(), links_.end(), link) == links_.end())
        links_.push_back(link);
}

void DataSource::RemoveLink(DataLink* link)
{
    std::erase(links_, link);
}

// A link may drop itself or another link while it is told. Every link hears
// of the change, also when one fails at it; the first failure comes after.
template <typename Call>
static void tellLinks(const std::vector<DataLink*>& links, Call call)
{
    std::exception_ptr failure;
    for (DataLink* link : std::vector(links)) {
        if (std::find(links.begin(), links.end(), link) == links.end())
            continue;
        try {
            call(link);
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (failure)
        std::rethrow_exception(failure);
}

void DataSource::notifyDataSetChanged()
{
    tellLinks(links_, [](DataLink* l) { l->DataSetChanged(); });
}

void DataSource::notifyRecordChanged()
{
    tellLinks(links_, [](DataLink* l) { l->RecordChanged(); });
}

} // namespace db
