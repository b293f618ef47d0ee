// Stock on hand, the stock-in and stock-out ledgers and the running account
// of goods for a day, a month and a year at the end of the history.
#include "bench/BenchOperations.h"

namespace Bench {

std::vector<Operation> stockOperations()
{
    return {};
}

} // namespace Bench
