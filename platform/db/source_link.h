// Links that hold on to their data source (detail tables, grid models) and
// must let go when the source is destroyed before them.
#pragma once

#include "platform/db/dataset.h"

namespace db {

class SourceLink : public DataLink {
public:
    virtual void SourceDestroyed() = 0;
};

} // namespace db
