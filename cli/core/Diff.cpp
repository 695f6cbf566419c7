#include "cli/core/Diff.h"

#include <algorithm>
#include <map>

#include "cli/core/Backup.h"
#include "registry/MemoryRegistry.h"
#include "registry/Names.h"

namespace velmora::cli {
namespace {

bool SameTarget(const Target& a, const Target& b) {
    return a.kind == b.kind && a.root == b.root && LowerName(a.key) == LowerName(b.key) &&
           LowerName(a.value) == LowerName(b.value);
}

bool Below(const std::string& path, const std::string& key) {
    const std::string p = LowerName(path);
    const std::string k = LowerName(key);
    return p == k || p.rfind(k + "\\", 0) == 0;
}

// The target a place belongs to: a value target by its exact place, else the key target that holds it.
std::size_t OwnerOf(const std::vector<Target>& targets, RootKey root, const std::string& path,
                    const std::string* name) {
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const Target& t = targets[i];
        if (t.kind == Target::kValue && name && t.root == root && LowerName(t.key) == LowerName(path) &&
            LowerName(t.value) == LowerName(*name)) {
            return i;
        }
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const Target& t = targets[i];
        const bool holds =
            t.kind == Target::kValues ? LowerName(t.key) == LowerName(path) : Below(path, t.key);
        if (t.kind != Target::kValue && t.root == root && holds) {
            return i;
        }
    }
    return targets.size();
}

struct Place {
    std::size_t owner;
    std::string where;
    std::string state;
};

// Every value the file sets, and every key of a whole-key target it creates, by a case-folded name.
std::map<std::string, Place> Flatten(const RegFile& file, const std::vector<Target>& targets) {
    std::map<std::string, Place> places;
    for (const Section& section : file.sections) {
        if (section.deleteKey) {
            continue;
        }
        const std::string key = std::string(RootName(section.root)) + "\\" + section.path;
        const std::size_t keyOwner = OwnerOf(targets, section.root, section.path, nullptr);
        if (keyOwner < targets.size() && targets[keyOwner].kind != Target::kValues) {
            places[LowerName(key) + "|"] = Place{keyOwner, key + " (key)", "present"};
        }
        for (const ValueEntry& entry : section.values) {
            if (!entry.value) {
                continue;
            }
            places[LowerName(key) + "|" + LowerName(entry.name) + "|v"] =
                Place{OwnerOf(targets, section.root, section.path, &entry.name),
                      key + " [" + (entry.name.empty() ? "(default)" : entry.name) + "]",
                      FormatValue(*entry.value)};
        }
    }
    return places;
}

}  // namespace

bool DiffBackup(Services services, const RegFile& backup, std::vector<Difference>& differences,
                std::string& error) {
    differences.clear();
    std::vector<Target> targets = CollectTargets(services);
    // The backup on its own: every place it covers holds what the backup says, and a list key holds only
    // the values and subkeys it lists. Whatever it does not cover reads as absent.
    MemoryRegistry alone;
    ImportRegFile(alone, backup);
    // List entries that only the backup knows (removed since) are compared too, named as the backup has them.
    Services aloneServices{alone,
                           services.parameters,
                           services.broadcaster,
                           services.directories,
                           services.messages,
                           services.restarter,
                           services.shell,
                           services.help};
    for (const Target& target : CollectTargets(aloneServices)) {
        const bool known = std::any_of(targets.begin(), targets.end(),
                                       [&](const Target& t) { return SameTarget(t, target); });
        if (!known) {
            targets.push_back(target);
        }
    }
    RegFile now;
    RegFile backupAlone;
    if (!ReadTargets(services.registry, targets, now, error) ||
        !ReadTargets(alone, targets, backupAlone, error)) {
        return false;
    }
    // What the places would hold after importing the backup over what they hold now: a key or value the
    // backup neither sets nor deletes keeps its state (another program's value beside a setting, a
    // subkey it added to a verb), and a key an import may leave behind empty is no place of its own.
    MemoryRegistry imported;
    ImportRegFile(imported, now);
    ImportRegFile(imported, backup);
    RegFile afterImport;
    if (!ReadTargets(imported, targets, afterImport, error)) {
        return false;
    }
    const auto nowPlaces = Flatten(now, targets);
    const auto afterPlaces = Flatten(afterImport, targets);
    const auto alonePlaces = Flatten(backupAlone, targets);
    const auto isList = [&](std::size_t owner) {
        return owner < targets.size() &&
               (targets[owner].kind == Target::kValues || targets[owner].kind == Target::kEntry);
    };
    // A backup that holds no list (apply's, of the settings it changes) says nothing of what the lists
    // held: no entry of theirs is "added since" it.
    const bool coversLists = std::any_of(alonePlaces.begin(), alonePlaces.end(),
                                         [&](const auto& place) { return isList(place.second.owner); });
    std::map<std::string, Place> all = afterPlaces;
    all.insert(nowPlaces.begin(), nowPlaces.end());
    for (const auto& [name, place] : all) {
        const auto a = afterPlaces.find(name);
        const auto n = nowPlaces.find(name);
        std::string backupState = a == afterPlaces.end() ? "absent" : a->second.state;
        const std::string nowState = n == nowPlaces.end() ? "absent" : n->second.state;
        if (backupState == nowState) {
            // A list's value or entry added since the backup: the import leaves it, but it is one of the
            // entries the list pages show and edit, so it is named.
            if (!isList(place.owner) || !coversLists || alonePlaces.count(name)) {
                continue;
            }
            backupState = "absent";
        }
        const std::string owner = place.owner < targets.size() ? targets[place.owner].owner : "(other)";
        differences.push_back(Difference{owner, place.where, backupState, nowState});
    }
    // Grouped by owner in the order of the targets.
    std::stable_sort(differences.begin(), differences.end(), [&](const Difference& a, const Difference& b) {
        const auto rank = [&](const std::string& owner) {
            for (std::size_t i = 0; i < targets.size(); ++i) {
                if (targets[i].owner == owner) {
                    return i;
                }
            }
            return targets.size();
        };
        return rank(a.owner) < rank(b.owner);
    });
    return true;
}

}  // namespace velmora::cli
