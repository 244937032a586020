#pragma once
// The four movies: the three of the intro and the credits. Each draws its frame at a time
// in seconds into a 640 x 480 picture.
#include <cairo.h>

#include <string>
#include <vector>

constexpr int kMovieWidth = 640;
constexpr int kMovieHeight = 480;
constexpr int kMovieFps = 20;

struct sMovie
{
    std::string file;
    double seconds;
    void (*draw)(cairo_t* cr, double t);
};

std::vector<sMovie> GameMovies();
// The credits' seconds: the credits music lasts as long.
double CreditsSeconds();

// The music under the credits (mono, the synthesiser's rate).
std::vector<float> CreditsMusic();
