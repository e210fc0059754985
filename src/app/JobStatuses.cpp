#include "app/JobStatuses.h"

namespace orvik {

const StatusRow& RowOf(JobStatus status) {
    for (const StatusRow& row : kStatusRows)
        if (row.status == status) return row;
    return kStatusRows[std::size(kStatusRows) - 1];
}

}  // namespace orvik
