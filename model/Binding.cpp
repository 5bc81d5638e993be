#include "model/CIDG.h"

int CIDG::BindCurrentRoom()
{
    return PointAtCurrentRoom() ? 1 : 0;
}
