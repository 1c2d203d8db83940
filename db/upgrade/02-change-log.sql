SET client_min_messages = warning;

-- The change history: one row per changed row of the journal, the operations and their norms,
-- the workers, products and operation kinds and the closed months, written by triggers whatever
-- program writes. A month rebuild of the timesheet is one event row, not its cells.
-- Idempotent: safe to run again and while other workstations work.

CREATE TABLE IF NOT EXISTS accounts_dep.change_log (
    id bigserial PRIMARY KEY,
    changed_at timestamptz NOT NULL DEFAULT clock_timestamp(),
    table_name text NOT NULL,
    row_id bigint,
    action text NOT NULL,          -- insert, update, delete; rebuild for a timesheet month
    row_key jsonb,                 -- the columns that name the row (date, shift, worker ...)
    old_values jsonb,              -- for an update only the columns that changed
    new_values jsonb,
    role text,                     -- the client's UserRole; NULL for any other program
    workstation text,              -- host name and operating-system user
    program text,                  -- application_name: name, version and build stamp
    client_addr inet
);

-- The window reads a period newest first (the index read backwards gives its order, no sort),
-- or one row's history.
CREATE INDEX IF NOT EXISTS change_log_time_idx ON accounts_dep.change_log (changed_at, id);
CREATE INDEX IF NOT EXISTS change_log_row_idx
    ON accounts_dep.change_log (table_name, row_id, changed_at);

-- Who writes: what the client put on its session, or the bare connection for other programs.
CREATE OR REPLACE FUNCTION accounts_dep.change_log_write(
    p_table text, p_row_id bigint, p_action text, p_key jsonb, p_old jsonb, p_new jsonb)
RETURNS void LANGUAGE sql
-- With the owner's rights: where a separate role owns the tables, the client's login needs no
-- right on the history beyond reading it.
SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
    INSERT INTO accounts_dep.change_log (table_name, row_id, action, row_key, old_values,
                                         new_values, role, workstation, program, client_addr)
    VALUES (p_table, p_row_id, p_action, p_key, p_old, p_new,
            nullif(current_setting('plant.role', true), ''),
            nullif(current_setting('plant.workstation', true), ''),
            nullif(current_setting('application_name', true), ''),
            inet_client_addr());
$$;

-- Row trigger. Arguments: the table's name in the history, then the columns that name a row.
CREATE OR REPLACE FUNCTION accounts_dep.change_log_row() RETURNS trigger
LANGUAGE plpgsql AS $$
DECLARE
    o jsonb;
    n jsonb;
    whole jsonb;
    k jsonb := '{}';
    col text;
    rid bigint;
BEGIN
    IF TG_OP <> 'INSERT' THEN o := to_jsonb(OLD); END IF;
    IF TG_OP <> 'DELETE' THEN n := to_jsonb(NEW); END IF;
    whole := coalesce(n, o);
    FOR i IN 1 .. TG_NARGS - 1 LOOP
        col := TG_ARGV[i];
        k := k || jsonb_build_object(col, whole -> col);
    END LOOP;
    IF whole ? 'id' THEN
        rid := (whole ->> 'id')::bigint;
    ELSE
        rid := (whole ->> 'year')::bigint * 100 + (whole ->> 'month')::bigint;
    END IF;
    IF TG_OP = 'UPDATE' THEN
        SELECT coalesce(jsonb_object_agg(e.key, e.value), '{}') INTO o
          FROM jsonb_each(to_jsonb(OLD)) e WHERE n -> e.key IS DISTINCT FROM e.value;
        IF o = '{}' THEN
            RETURN NULL;  -- written as it was: nothing changed
        END IF;
        SELECT jsonb_object_agg(e.key, e.value) INTO n
          FROM jsonb_each(to_jsonb(NEW)) e WHERE o ? e.key;
    END IF;
    PERFORM accounts_dep.change_log_write(TG_ARGV[0], rid, lower(TG_OP), k, o, n);
    RETURN NULL;
END
$$;

-- The month rebuild of the timesheet as one event. The client notes it in its rebuild's
-- transaction before it deletes, so a month without timesheet rows counts too; a deletion by any
-- other program is noted by the statement trigger below, once per month it emptied.
CREATE OR REPLACE FUNCTION accounts_dep.note_month_rebuild(p_year integer, p_month integer)
RETURNS void LANGUAGE plpgsql AS $$
BEGIN
    PERFORM accounts_dep.change_log_write('h_tabel', p_year * 100 + p_month, 'rebuild',
        jsonb_build_object('year', p_year, 'month', p_month), NULL, NULL);
    PERFORM set_config('plant.rebuilt_month', (p_year * 100 + p_month)::text, true);
END
$$;

CREATE OR REPLACE FUNCTION accounts_dep.change_log_timesheet_delete() RETURNS trigger
LANGUAGE plpgsql AS $$
DECLARE
    m record;
BEGIN
    FOR m IN SELECT DISTINCT year, month FROM gone LOOP
        IF coalesce(current_setting('plant.rebuilt_month', true), '')
               IS DISTINCT FROM (m.year * 100 + m.month)::text THEN
            PERFORM accounts_dep.change_log_write('h_tabel', m.year * 100 + m.month, 'rebuild',
                jsonb_build_object('year', m.year, 'month', m.month), NULL, NULL);
        END IF;
    END LOOP;
    RETURN NULL;
END
$$;

-- History rows are never changed or removed.
CREATE OR REPLACE FUNCTION accounts_dep.change_log_refuse() RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    RAISE EXCEPTION 'История изменений не изменяется и не удаляется';
END
$$;

DO $$
DECLARE
    t record;
BEGIN
    FOR t IN
        SELECT * FROM (VALUES
            ('accounts_dep', 'smena', 'smena', 'data, smena, w_id, i_id, o_id'),
            ('accounts_dep', 'oper', 'oper', 'vid, i_id, naimen'),
            ('accounts_dep', 'norm', 'norm', 'o_id'),
            ('accounts_dep', 'person', 'person', 'fio'),
            ('accounts_dep', 'vid_oper', 'vid_oper', 'vid'),
            ('accounts_dep', 'closed_month', 'closed_month', 'year, month'))
            AS v(schema_name, table_name, log_name, key_columns)
    LOOP
        CONTINUE WHEN to_regclass(t.schema_name || '.' || t.table_name) IS NULL;
        EXECUTE format('DROP TRIGGER IF EXISTS change_log ON %I.%I', t.schema_name, t.table_name);
        EXECUTE format('CREATE TRIGGER change_log AFTER INSERT OR UPDATE OR DELETE ON %I.%I '
                       'FOR EACH ROW EXECUTE FUNCTION accounts_dep.change_log_row(%L, %s)',
                       t.schema_name, t.table_name, t.log_name,
                       (SELECT string_agg(quote_literal(trim(c)), ', ')
                          FROM unnest(string_to_array(t.key_columns, ',')) c));
    END LOOP;
END
$$;

-- Products are the goods of unit 6; the rest of the goods register is not this system's.
DROP TRIGGER IF EXISTS change_log_insert ON cmn_gds_and_srv.gds_and_srv;
DROP TRIGGER IF EXISTS change_log_update ON cmn_gds_and_srv.gds_and_srv;
DROP TRIGGER IF EXISTS change_log_delete ON cmn_gds_and_srv.gds_and_srv;
CREATE TRIGGER change_log_insert AFTER INSERT ON cmn_gds_and_srv.gds_and_srv
    FOR EACH ROW WHEN (NEW.id_msm_bs = 6)
    EXECUTE FUNCTION accounts_dep.change_log_row('izdel', 's_caption');
CREATE TRIGGER change_log_update AFTER UPDATE ON cmn_gds_and_srv.gds_and_srv
    FOR EACH ROW WHEN (OLD.id_msm_bs = 6 OR NEW.id_msm_bs = 6)
    EXECUTE FUNCTION accounts_dep.change_log_row('izdel', 's_caption');
CREATE TRIGGER change_log_delete AFTER DELETE ON cmn_gds_and_srv.gds_and_srv
    FOR EACH ROW WHEN (OLD.id_msm_bs = 6)
    EXECUTE FUNCTION accounts_dep.change_log_row('izdel', 's_caption');

DROP TRIGGER IF EXISTS change_log_rebuild ON accounts_dep.h_tabel;
CREATE TRIGGER change_log_rebuild AFTER DELETE ON accounts_dep.h_tabel
    REFERENCING OLD TABLE AS gone
    FOR EACH STATEMENT EXECUTE FUNCTION accounts_dep.change_log_timesheet_delete();

DROP TRIGGER IF EXISTS change_log_append_only ON accounts_dep.change_log;
CREATE TRIGGER change_log_append_only BEFORE UPDATE OR DELETE ON accounts_dep.change_log
    FOR EACH ROW EXECUTE FUNCTION accounts_dep.change_log_refuse();
