// The model-parameter record.
#include "modelpar.h"

namespace corvane {

modelparrec modelpar;

}  // namespace corvane
