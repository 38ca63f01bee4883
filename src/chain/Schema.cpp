#include "Schema.h"

#include <array>
#include <string>

namespace quivra::chain {

using core::Result;
using core::Status;

namespace {

// Any fixed number: the key of the advisory lock the migrations take.  It
// is taken before each step's transaction begins, so that the transaction
// sees what a counter that was first committed.
constexpr const char* kMigrationLock = "SELECT pg_advisory_lock(7466917301)";
constexpr const char* kMigrationUnlock = "SELECT pg_advisory_unlock(7466917301)";

// Version 1: shops and set-ups.
constexpr std::string_view kVersion1 = R"sql(
CREATE TABLE schema_version (
    version integer NOT NULL,
    changed timestamptz NOT NULL DEFAULT now()
);
INSERT INTO schema_version (version) VALUES (0);
CREATE TABLE shops (
    id serial PRIMARY KEY,
    name text NOT NULL UNIQUE,
    created timestamptz NOT NULL DEFAULT now()
);
CREATE TABLE setups (
    id uuid PRIMARY KEY,
    shop_id integer NOT NULL REFERENCES shops (id),
    name text NOT NULL,
    addr1 text NOT NULL DEFAULT '',
    addr2 text NOT NULL DEFAULT '',
    city text NOT NULL DEFAULT '',
    state text NOT NULL DEFAULT '',
    zip text NOT NULL DEFAULT '',
    country text NOT NULL DEFAULT '',
    ccode text NOT NULL DEFAULT '',
    comments text NOT NULL DEFAULT '',
    saved_date text NOT NULL DEFAULT '',
    hort text NOT NULL DEFAULT '',
    bowwt text NOT NULL DEFAULT '',
    arlen text NOT NULL DEFAULT '',
    pntwt text NOT NULL DEFAULT '',
    botyp text NOT NULL DEFAULT '',
    whtyp text NOT NULL DEFAULT '',
    retyp text NOT NULL DEFAULT '',
    bolen text NOT NULL DEFAULT '',
    odlen text NOT NULL DEFAULT '',
    created timestamptz NOT NULL DEFAULT now(),
    changed timestamptz NOT NULL DEFAULT now()
);
CREATE INDEX setups_shop ON setups (shop_id, created, id);
)sql";

// Version 2: the name order and prefix search, builds, ticket numbers and
// the counters' role.  The name index is C-collated: byte order serves the
// prefix search (as text_pattern_ops would in another collation) and the
// browsing order alike.
constexpr std::string_view kVersion2 = R"sql(
CREATE INDEX setups_name ON setups ((upper(name) COLLATE "C"), id);
ALTER TABLE shops ADD COLUMN next_ticket bigint NOT NULL DEFAULT 1;
CREATE TABLE builds (
    id uuid PRIMARY KEY,
    setup_id uuid NOT NULL REFERENCES setups (id),
    shop_id integer NOT NULL REFERENCES shops (id),
    ticket_no bigint,
    shaft_key text NOT NULL DEFAULT '',
    shaft_size text NOT NULL DEFAULT '',
    models text NOT NULL DEFAULT '',
    spine text NOT NULL DEFAULT '',
    shaft_length_in numeric,
    point_gr numeric,
    insert_gr numeric,
    nock_gr numeric,
    fletching_gr numeric,
    quantity integer,
    total_gr numeric,
    foc_percent numeric,
    speed_fps numeric,
    notes text NOT NULL DEFAULT '',
    created timestamptz NOT NULL DEFAULT now(),
    changed timestamptz NOT NULL DEFAULT now(),
    UNIQUE (shop_id, ticket_no)
);
CREATE INDEX builds_setup ON builds (setup_id);
CREATE TABLE ticket_ranges (
    shop_id integer NOT NULL REFERENCES shops (id),
    counter_id text NOT NULL,
    first_no bigint NOT NULL,
    last_no bigint NOT NULL,
    reserved timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (shop_id, first_no)
);
CREATE FUNCTION quivra_shop(p_name text) RETURNS integer
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
DECLARE
    v integer;
BEGIN
    SELECT id INTO v FROM shops WHERE name = p_name;
    IF v IS NULL THEN
        INSERT INTO shops (name) VALUES (p_name) ON CONFLICT (name) DO NOTHING;
        SELECT id INTO v FROM shops WHERE name = p_name;
    END IF;
    RETURN v;
END $$;
CREATE FUNCTION quivra_reserve_tickets(p_shop integer, p_counter text, p_count integer)
RETURNS bigint
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
DECLARE
    v_first bigint;
BEGIN
    IF p_count < 1 OR p_count > 100000 THEN
        RAISE EXCEPTION 'a ticket range holds 1 to 100000 numbers, not %', p_count;
    END IF;
    UPDATE shops SET next_ticket = next_ticket + p_count WHERE id = p_shop
        RETURNING next_ticket - p_count INTO v_first;
    IF v_first IS NULL THEN
        RAISE EXCEPTION 'there is no shop %', p_shop;
    END IF;
    INSERT INTO ticket_ranges (shop_id, counter_id, first_no, last_no)
        VALUES (p_shop, p_counter, v_first, v_first + p_count - 1);
    RETURN v_first;
END $$;
REVOKE ALL ON FUNCTION quivra_shop(text) FROM PUBLIC;
REVOKE ALL ON FUNCTION quivra_reserve_tickets(integer, text, integer) FROM PUBLIC;
DO $$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'quivra_counter')
       AND (SELECT rolsuper OR rolcreaterole FROM pg_roles WHERE rolname = current_user) THEN
        CREATE ROLE quivra_counter NOLOGIN;
    END IF;
    IF EXISTS (SELECT FROM pg_roles WHERE rolname = 'quivra_counter') THEN
        GRANT SELECT ON shops, setups, builds, ticket_ranges, schema_version TO quivra_counter;
        GRANT INSERT ON setups, builds TO quivra_counter;
        GRANT UPDATE (name, addr1, addr2, city, state, zip, country, ccode, comments, changed)
            ON setups TO quivra_counter;
        GRANT UPDATE (ticket_no, shaft_key, shaft_size, models, spine, shaft_length_in, point_gr,
                      insert_gr, nock_gr, fletching_gr, quantity, total_gr, foc_percent,
                      speed_fps, notes, changed)
            ON builds TO quivra_counter;
        GRANT EXECUTE ON FUNCTION quivra_shop(text) TO quivra_counter;
        GRANT EXECUTE ON FUNCTION quivra_reserve_tickets(integer, text, integer)
            TO quivra_counter;
    END IF;
END $$;
)sql";

// Version 3: the whole arrow of a build.  Version 2's `spine` text column
// was never written and stays unused; the deflection is the number
// spine_in.  Numbers are numeric, which keeps the shortest decimal text of
// a double exactly; NULL is a figure the build sheet did not have.  A
// build is what was sold: counters insert builds and may attach a ticket
// number later, but no longer rewrite them.  The newest build of a set-up
// is one probe of builds_setup_created (read backwards).
constexpr std::string_view kVersion3 = R"sql(
ALTER TABLE builds
    ADD COLUMN spine_in numeric,
    ADD COLUMN grains_per_inch numeric,
    ADD COLUMN spine_check text NOT NULL DEFAULT '',
    ADD COLUMN bow_type text NOT NULL DEFAULT '',
    ADD COLUMN rating_fps numeric,
    ADD COLUMN rating_standard text NOT NULL DEFAULT '',
    ADD COLUMN draw_weight_lb numeric,
    ADD COLUMN draw_length_in numeric,
    ADD COLUMN brace_height_in numeric,
    ADD COLUMN string_accessories_gr numeric,
    ADD COLUMN balance_in numeric,
    ADD COLUMN sight_radius_in numeric,
    ADD COLUMN chart_page text NOT NULL DEFAULT '',
    ADD COLUMN release_type integer,
    ADD COLUMN cam_type integer,
    ADD COLUMN over_draw integer,
    ADD COLUMN saved_at text NOT NULL DEFAULT '';
CREATE INDEX builds_setup_created ON builds (setup_id, created, id);
DROP INDEX builds_setup;
DO $$
BEGIN
    IF EXISTS (SELECT FROM pg_roles WHERE rolname = 'quivra_counter') THEN
        REVOKE UPDATE ON builds FROM quivra_counter;
        GRANT UPDATE (ticket_no, changed) ON builds TO quivra_counter;
    END IF;
END $$;
)sql";

constexpr std::array<std::string_view, kSchemaVersion> kMigrations{kVersion1, kVersion2, kVersion3};

}  // namespace

Result<int> schemaVersion(PgConnection& connection) {
    auto table = connection.exec("SELECT to_regclass('schema_version') IS NOT NULL");
    if (!table) return table.status();
    if (table->text(0, 0) != "t") return 0;
    auto version = connection.exec("SELECT max(version) FROM schema_version");
    if (!version) return version.status();
    return version->isNull(0, 0) ? 0 : std::stoi(version->text(0, 0));
}

Status migrate(PgConnection& connection, int target) {
    auto found = schemaVersion(connection);
    if (!found) return found.status();
    if (*found > kSchemaVersion) {
        return Status::unsupported(
            "The customer database on " + connection.serverName() + " is at version " +
            std::to_string(*found) + ", newer than this copy of Quivra knows (" +
            std::to_string(kSchemaVersion) + "). Install the newer Quivra on this computer.");
    }
    for (int version = *found; version < target;) {
        if (auto lock = connection.exec(kMigrationLock); !lock) return lock.status();
        Status s;
        {
            PgTransaction transaction(connection);
            s = transaction.begun();
            auto now =
                s ? schemaVersion(connection) : Result<int>(s);  // another may have been first
            s = now.status();
            if (s) version = *now;
            if (s && version < target) {
                s = connection.execScript(kMigrations[static_cast<std::size_t>(version)]);
                if (s) {
                    s = connection
                            .exec("UPDATE schema_version SET version = $1, changed = now()",
                                  {std::to_string(version + 1)})
                            .status();
                }
                if (s) s = transaction.commit();
                if (s) ++version;
            }
        }
        if (!connection.isBroken()) (void)connection.exec(kMigrationUnlock);
        if (!s) {
            if (s.code() == Status::Code::Unavailable) return s;
            return Status::unsupported(
                "The customer database on " + connection.serverName() + " is at version " +
                std::to_string(version) + " and needs version " + std::to_string(target) +
                ", but it could not be brought there (" + s.message() +
                "). Run 'quivra-sync migrate' once as the database's owner.");
        }
    }
    return Status::ok();
}

Result<int> shopId(PgConnection& connection, std::string_view shopName) {
    auto r = connection.exec("SELECT quivra_shop($1)", {std::string(shopName)});
    if (!r) return r.status();
    return std::stoi(r->text(0, 0));
}

}  // namespace quivra::chain
