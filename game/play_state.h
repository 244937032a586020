#pragma once
// The play state of a game: who moves and who is watched, and the work areas of the
// whole map (supply grid, city groups connected over land, the nearest city of every
// hex) that are built once after loading.
#include <list>
#include <memory>
#include <vector>

class cMapa;
class cMiasto;
class cPanstwo;
class cZaopatrzenie;

class cPlayState
{
public:
    cPlayState();
    ~cPlayState();
    cPlayState(const cPlayState&) = delete;
    cPlayState& operator=(const cPlayState&) = delete;

    void SetActiveCountry(cPanstwo* country) { m_ActiveCountry = country; }
    cPanstwo* GetActiveCountry() const { return m_ActiveCountry; }
    void SetViewCountry(cPanstwo* country) { m_ViewCountry = country; }
    cPanstwo* GetViewCountry() const { return m_ViewCountry; }

    // A new supply work area sized to the map.
    void CreateSupplyWorkArea(const cMapa* map);
    cZaopatrzenie* GetSupplyWorkArea() const { return m_Supply.get(); }

    // Groups of cities (not resources cities) joined by land, in city-list order.
    void BuildWorldCityGroups(const cMapa& map, const std::list<cMiasto*>& cities);
    // For every land hex the city nearest to it over land; nearer cities win, and at
    // equal distance the one earlier in the list.
    void BuildNearestCityMap(const cMapa& map, const std::list<cMiasto*>& cities);
    // Null off the map, on sea and where no city reaches.
    cMiasto* NearestCity(int x, int y) const;
    const std::list<std::list<cMiasto*>>& GetWorldCityGroups() const { return m_CityGroups; }

private:
    cPanstwo* m_ActiveCountry = nullptr;
    cPanstwo* m_ViewCountry = nullptr;
    std::unique_ptr<cZaopatrzenie> m_Supply;
    std::list<std::list<cMiasto*>> m_CityGroups;
    std::vector<cMiasto*> m_NearestCity;
    int m_Width = 0;
    int m_Height = 0;
};
