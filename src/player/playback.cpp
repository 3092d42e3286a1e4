#include "app/form1.h"

void Form1::PreviousSong() {}

void Form1::StopSong() {}

void Form1::PauseSong() {}

void Form1::PlayCurrentSong() {}

void Form1::NextSong() {}
