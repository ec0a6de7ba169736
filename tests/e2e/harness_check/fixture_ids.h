#pragma once
// Control identifiers of the harness's fixture window.
enum FixtureId {
    kFixtureNameLabel = 10,
    kFixtureEdit = 11,
    kFixtureRowsLabel = 13,
    kFixtureList = 12,
    kFixtureAsk = 20,
    kFixtureTell = 21,
};
