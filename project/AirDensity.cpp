#include "project/AirDensity.h"

double AirDensity(double p, double x, double t)
{
    const double pq = p * x / (x + 0.62198);
    return (p - pq * 0.37802) * 3.48365 / ((t + 273.15) * 1000.0);
}
