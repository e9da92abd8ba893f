#pragma once
#define IDI_TARVIC 1
#define IDI_COUNTDOWN 2
