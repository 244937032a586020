#pragma once
// War flags and casualties between every ordered pair of countries; relations.csv and
// losses.csv.
#include <cstdint>
#include <string>
#include <vector>

class cRelationsMatrix
{
public:
    struct sCell
    {
        uint8_t war = 0;
        float losses = 0.0f;
    };

    bool IsAtWar(int a, int b) const;
    void SetWar(int a, int b, uint8_t flag);
    void AddLosses(int dealer, int sufferer, float amount);
    float GetLosses(int a, int b) const;
    float GetLossShare(int a, int b) const;
    float GetLossesColumnSum(int b) const;
    void MakePeaceWithAll(int c);
    void RecomputeLossShares();
    // Sizes the matrix for n countries and reads both files of the folder pattern.
    void Load(int n, const std::wstring& folderPattern);
    // Sizes the matrix for n countries, all at peace without losses.
    void Resize(int n);
    void SaveRelations(const std::wstring& folder) const;
    void SaveLosses(const std::wstring& folder) const;
    int GetCount() const { return N; }

private:
    bool CheckIds(int a, int b, int check) const;
    void ReadFile(const std::wstring& path, bool losses);

    int32_t N = 0;
    std::vector<sCell> Cells;
    std::vector<float> Shares;
};

// Whether two countries of the running game are at war; nobody (id 0) is at war with
// anybody, and an id outside the matrix reads as peace.
bool CountriesAtWar(int a, int b);
