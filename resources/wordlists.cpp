// The word lists themselves are compiled in by rcc; this unit only gives the
// library an object of its own so that it links like any other.
namespace vorlan {
int wordlistsLinked = 1;
}
