#pragma once
struct Satz {};
