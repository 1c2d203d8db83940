SET client_min_messages = warning;

-- Who made a change: the database login of every history row, and on a database secured with
-- "plant-client --secure-database" the job the server gives that login (not what the session says
-- of itself). Writes that left no trace get one: a timesheet cell written other than by a month
-- rebuild, and a change of a plant worker's name or code in the shared person register.
-- Idempotent: run after the other upgrade scripts, as often as needed.

ALTER TABLE accounts_dep.change_log ADD COLUMN IF NOT EXISTS db_user text;
-- Why: a month reopened says why (written by the month functions through 'plant.reason').
ALTER TABLE accounts_dep.change_log ADD COLUMN IF NOT EXISTS reason text;
-- The writing transaction (the top-level one, also inside a savepoint, which the ODBC driver sets
-- around every statement): what a statement's triggers have to know of the same transaction's
-- earlier rows. Older rows keep none.
ALTER TABLE accounts_dep.change_log ADD COLUMN IF NOT EXISTS xact_id xid8;

-- One history row. On a secured database the job is the job role session_user belongs to (the
-- role names are written into the function when it is made, so a row costs one index look-up
-- of the login's memberships; a person belongs to one job); elsewhere it is what the client put
-- on its session.
DO $do$
DECLARE
    d text := current_database();
    secured boolean;
    job_expression text;
BEGIN
    SELECT EXISTS (SELECT 1 FROM pg_namespace n JOIN pg_roles r ON r.oid = n.nspowner
                    WHERE n.nspname = 'accounts_dep' AND r.rolname = d || '_owner')
      INTO secured;
    IF secured THEN
        job_expression := format(
            '(SELECT CASE m.roleid WHEN %1$L::regrole THEN ''Foreman'' '
            'WHEN %2$L::regrole THEN ''Storekeeper'' WHEN %3$L::regrole THEN ''Reviewer'' '
            'ELSE ''Administrator'' END FROM pg_auth_members m '
            'WHERE m.member = to_regrole(quote_ident(session_user)) '
            'AND m.roleid IN (%1$L::regrole, %2$L::regrole, %3$L::regrole, %4$L::regrole) LIMIT 1)',
            quote_ident(d || '_foreman'), quote_ident(d || '_storekeeper'),
            quote_ident(d || '_reviewer'), quote_ident(d || '_administrator'));
    ELSE
        job_expression := 'nullif(current_setting(''plant.role'', true), '''')';
    END IF;
    EXECUTE format($f$
CREATE OR REPLACE FUNCTION accounts_dep.change_log_write(
    p_table text, p_row_id bigint, p_action text, p_key jsonb, p_old jsonb, p_new jsonb)
RETURNS void LANGUAGE plpgsql
-- With the owner's rights: no session writes the history except through the triggers.
SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $body$
BEGIN
    INSERT INTO accounts_dep.change_log (table_name, row_id, action, row_key, old_values,
                                         new_values, role, workstation, program, client_addr,
                                         db_user, reason, xact_id)
    VALUES (p_table, p_row_id, p_action, p_key, p_old, p_new,
            %s,
            nullif(current_setting('plant.workstation', true), ''),
            nullif(current_setting('application_name', true), ''),
            inet_client_addr(), session_user,
            nullif(btrim(current_setting('plant.reason', true)), ''), pg_current_xact_id());
END
$body$$f$, job_expression);
END
$do$;

-- Nobody calls it directly: a session could write any history row it liked.
REVOKE EXECUTE ON FUNCTION accounts_dep.change_log_write(text, bigint, text, jsonb, jsonb, jsonb)
    FROM PUBLIC;

-- Whether the month (year*100+month) was noted as rebuilt in this transaction: the rebuild's own
-- history row, written by this very transaction, and not a session setting anybody can make.
CREATE OR REPLACE FUNCTION accounts_dep.month_rebuilt_here(p_key bigint)
RETURNS boolean LANGUAGE plpgsql STABLE
SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    -- The rows since this transaction began, by the time index: a handful, whatever the
    -- history's size.
    RETURN EXISTS (SELECT 1 FROM (SELECT l.table_name, l.action, l.row_id, l.xact_id
                                    FROM accounts_dep.change_log l
                                   WHERE l.changed_at >= now() OFFSET 0) l
                    WHERE l.xact_id = pg_current_xact_id() AND l.table_name = 'h_tabel'
                      AND l.row_id = p_key AND l.action = 'rebuild');
END
$$;
REVOKE EXECUTE ON FUNCTION accounts_dep.month_rebuilt_here(bigint) FROM PUBLIC;

-- Whether a timesheet cell of worker w, shift s in the month is written with a journal entry's
-- save or deletion in this transaction (the entry's history row tells the change; the cell
-- follows from it), the entry's place before a change counting too; or its month is rebuilt.
CREATE OR REPLACE FUNCTION accounts_dep.cell_write_noted(w integer, s integer, m integer, y integer)
RETURNS boolean LANGUAGE plpgsql STABLE
SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    RETURN EXISTS (
        SELECT 1 FROM (SELECT l.table_name, l.action, l.row_id, l.row_key, l.old_values, l.xact_id
                         FROM accounts_dep.change_log l
                        WHERE l.changed_at >= now() OFFSET 0) l
         WHERE l.xact_id = pg_current_xact_id()
           AND ((l.table_name = 'h_tabel' AND l.action = 'rebuild' AND l.row_id = y::bigint * 100 + m)
                OR (l.table_name = 'smena'
                    AND ((l.row_key ->> 'w_id')::integer = w AND (l.row_key ->> 'smena')::integer = s
                         AND date_trunc('month', (l.row_key ->> 'data')::date) = make_date(y, m, 1)
                         OR coalesce(l.old_values ->> 'w_id', l.row_key ->> 'w_id')::integer = w
                         AND coalesce(l.old_values ->> 'smena', l.row_key ->> 'smena')::integer = s
                         AND date_trunc('month', coalesce(l.old_values ->> 'data',
                                                          l.row_key ->> 'data')::date)
                             = make_date(y, m, 1)))));
END
$$;
REVOKE EXECUTE ON FUNCTION accounts_dep.cell_write_noted(integer, integer, integer, integer) FROM PUBLIC;

CREATE OR REPLACE FUNCTION accounts_dep.change_log_timesheet_delete() RETURNS trigger
LANGUAGE plpgsql AS $$
DECLARE
    m record;
BEGIN
    FOR m IN SELECT DISTINCT year, month FROM gone LOOP
        IF NOT accounts_dep.month_rebuilt_here(m.year * 100 + m.month) THEN
            PERFORM accounts_dep.change_log_write('h_tabel', m.year * 100 + m.month, 'rebuild',
                jsonb_build_object('year', m.year, 'month', m.month), NULL, NULL);
        END IF;
    END LOOP;
    RETURN NULL;
END
$$;

-- Timesheet cells written one by one other than with their entry (psql, another program): one
-- row per timesheet row with the day columns that changed. A month being rebuilt in the same
-- transaction is already one 'rebuild' row, an entry's save or deletion its entry's row.
CREATE OR REPLACE FUNCTION accounts_dep.change_log_timesheet_cells() RETURNS trigger
LANGUAGE plpgsql AS $$
DECLARE
    r record;
    o jsonb;
    n jsonb;
BEGIN
    -- The cheap question first: a save's or a rebuild's cell costs one look-up, no comparison.
    FOR r IN SELECT * FROM new_rows LOOP
        CONTINUE WHEN accounts_dep.cell_write_noted(r.w_id, r.smena, r.month, r.year);
        n := to_jsonb(r) - 'id';
        IF TG_OP = 'INSERT' THEN
            o := NULL;
            SELECT jsonb_object_agg(e.key, e.value) INTO n FROM jsonb_each(n) e
             WHERE NOT (e.key ~ '^d[0-9]+$' AND e.value = '0');
        ELSE
            SELECT to_jsonb(x) - 'id' INTO o FROM old_rows x WHERE x.id = r.id;
            SELECT jsonb_object_agg(e.key, e.value) INTO o FROM jsonb_each(o) e
             WHERE n -> e.key IS DISTINCT FROM e.value;
            CONTINUE WHEN o IS NULL;
            SELECT jsonb_object_agg(e.key, n -> e.key) INTO n FROM jsonb_object_keys(o) e(key);
        END IF;
        PERFORM accounts_dep.change_log_write('h_tabel', r.id, lower(TG_OP),
            jsonb_build_object('w_id', r.w_id, 'smena', r.smena, 'month', r.month, 'year', r.year),
            o, n);
    END LOOP;
    RETURN NULL;
END
$$;

DROP TRIGGER IF EXISTS change_log_cells_insert ON accounts_dep.h_tabel;
DROP TRIGGER IF EXISTS change_log_cells_update ON accounts_dep.h_tabel;
CREATE TRIGGER change_log_cells_insert AFTER INSERT ON accounts_dep.h_tabel
    REFERENCING NEW TABLE AS new_rows
    FOR EACH STATEMENT EXECUTE FUNCTION accounts_dep.change_log_timesheet_cells();
CREATE TRIGGER change_log_cells_update AFTER UPDATE ON accounts_dep.h_tabel
    REFERENCING OLD TABLE AS old_rows NEW TABLE AS new_rows
    FOR EACH STATEMENT EXECUTE FUNCTION accounts_dep.change_log_timesheet_cells();

-- A plant worker's name or code changed in the shared person register by anything but the
-- workers' own mirror (whose change is already the worker's history row): the journal and the
-- timesheet show that name.
CREATE OR REPLACE FUNCTION accounts_dep.change_log_contractor() RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    IF pg_trigger_depth() > 1 THEN
        RETURN NULL;
    END IF;
    IF NOT EXISTS (SELECT 1 FROM accounts_dep.person p
                    WHERE p.id::text IN (OLD.s_code, NEW.s_code)
                       OR p.id::numeric IN (OLD.id, NEW.id)) THEN
        RETURN NULL;
    END IF;
    PERFORM accounts_dep.change_log_write('contractor', NEW.id::bigint, 'update',
        jsonb_build_object('s_code', NEW.s_code, 's_caption', NEW.s_caption),
        jsonb_build_object('s_code', OLD.s_code, 's_caption', OLD.s_caption),
        jsonb_build_object('s_code', NEW.s_code, 's_caption', NEW.s_caption));
    RETURN NULL;
END
$$;

DROP TRIGGER IF EXISTS change_log_worker_name ON cmn_contractor.person;
CREATE TRIGGER change_log_worker_name AFTER UPDATE ON cmn_contractor.person
    FOR EACH ROW WHEN (OLD.s_caption IS DISTINCT FROM NEW.s_caption
                       OR OLD.s_code IS DISTINCT FROM NEW.s_code OR OLD.id <> NEW.id)
    EXECUTE FUNCTION accounts_dep.change_log_contractor();

-- The functions that write history run with the owner's rights; so does the workers' mirror into
-- the person register, so a login that may change workers needs no right on that register.
ALTER FUNCTION accounts_dep.change_log_row() SECURITY DEFINER SET search_path = pg_catalog, pg_temp;
ALTER FUNCTION accounts_dep.change_log_timesheet_delete()
    SECURITY DEFINER SET search_path = pg_catalog, pg_temp;
ALTER FUNCTION accounts_dep.change_log_timesheet_cells()
    SECURITY DEFINER SET search_path = pg_catalog, pg_temp;
ALTER FUNCTION accounts_dep.change_log_contractor()
    SECURITY DEFINER SET search_path = pg_catalog, pg_temp;
ALTER FUNCTION accounts_dep.note_month_rebuild(integer, integer)
    SECURITY DEFINER SET search_path = pg_catalog, pg_temp;
ALTER FUNCTION accounts_dep.person_mirror() SECURITY DEFINER SET search_path = pg_catalog, pg_temp;
