#include "soundlist.h"

#include "valuereader.h"

namespace bellarune {

std::array<std::string, 10> ParseSoundList(std::string_view data)
{
    std::array<std::string, 10> files{};
    ValueReader in(data);
    ValueReader::Value v;
    for (std::size_t k = 0; k < 9 && in.next(v); ++k)
        files[k] = v.text;
    return files;
}

}  // namespace bellarune
