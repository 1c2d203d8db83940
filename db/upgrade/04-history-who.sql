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
RETURNS boolean LANGUAGE sql STABLE
SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
    SELECT EXISTS (SELECT 1 FROM accounts_dep.change_log l
                    WHERE l.table_name = 'h_tabel' AND l.row_id = p_key AND l.action = 'rebuild'
                      AND l.changed_at >= now() AND l.xact_id = pg_current_xact_id());
$$;
REVOKE EXECUTE ON FUNCTION accounts_dep.month_rebuilt_here(bigint) FROM PUBLIC;

-- Whether a timesheet cell of worker w, shift s in the month is written with a journal entry's
-- save or deletion in this transaction (the entry's history row tells the change; the cell
-- follows from it), the entry's place before a change counting too; or its month is rebuilt.
CREATE OR REPLACE FUNCTION accounts_dep.cell_write_noted(w integer, s integer, m integer, y integer)
RETURNS boolean LANGUAGE sql STABLE
SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
    SELECT EXISTS (
        SELECT 1 FROM accounts_dep.change_log l
         WHERE l.changed_at >= now() AND l.xact_id = pg_current_xact_id()
           AND ((l.table_name = 'h_tabel' AND l.action = 'rebuild' AND l.row_id = y::bigint * 100 + m)
                OR (l.table_name = 'smena'
                    AND ((l.row_key ->> 'w_id')::integer = w AND (l.row_key ->> 'smena')::integer = s
                         AND date_trunc('month', (l.row_key ->> 'data')::date) = make_date(y, m, 1)
                         OR coalesce(l.old_values ->> 'w_id', l.row_key ->> 'w_id')::integer = w
                         AND coalesce(l.old_values ->> 'smena', l.row_key ->> 'smena')::integer = s
                         AND date_trunc('month', coalesce(l.old_values ->> 'data',
                                                          l.row_key ->> 'data')::date)
                             = make_date(y, m, 1)))));
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
    months bigint[];
BEGIN
    IF TG_OP = 'INSERT' THEN
        SELECT array_agg(DISTINCT year::bigint * 100 + month) INTO months FROM new_rows;
    ELSE
        SELECT array_agg(DISTINCT year::bigint * 100 + month) INTO months
          FROM (SELECT year, month FROM new_rows UNION ALL SELECT year, month FROM old_rows) x;
    END IF;
    IF months IS NULL THEN
        RETURN NULL;
    END IF;
    -- Most statements touch one month: one look-up decides for the whole statement.
    IF (SELECT bool_and(accounts_dep.month_rebuilt_here(k)) FROM unnest(months) k) THEN
        RETURN NULL;
    END IF;
    IF TG_OP = 'INSERT' THEN
        FOR r IN SELECT n.id, n.year, n.month, n.w_id, n.smena,
                        (SELECT jsonb_object_agg(e.key, e.value) FROM jsonb_each(to_jsonb(n)) e
                          WHERE e.key <> 'id' AND NOT (e.key ~ '^d[0-9]+$' AND e.value = '0')) AS v
                   FROM new_rows n LOOP
            CONTINUE WHEN accounts_dep.cell_write_noted(r.w_id, r.smena, r.month, r.year);
            PERFORM accounts_dep.change_log_write('h_tabel', r.id, 'insert',
                jsonb_build_object('w_id', r.w_id, 'smena', r.smena, 'month', r.month,
                                   'year', r.year), NULL, r.v);
        END LOOP;
    ELSE
        FOR r IN SELECT n.id, n.year, n.month, n.w_id, n.smena, d.o, d.n
                   FROM new_rows n JOIN old_rows o ON o.id = n.id
                  CROSS JOIN LATERAL (
                        SELECT jsonb_object_agg(e.key, e.value) AS o,
                               jsonb_object_agg(e.key, to_jsonb(n) -> e.key) AS n
                          FROM jsonb_each(to_jsonb(o)) e
                         WHERE to_jsonb(n) -> e.key IS DISTINCT FROM e.value) d
                  WHERE d.o IS NOT NULL LOOP
            CONTINUE WHEN accounts_dep.cell_write_noted(r.w_id, r.smena, r.month, r.year);
            PERFORM accounts_dep.change_log_write('h_tabel', r.id, 'update',
                jsonb_build_object('w_id', r.w_id, 'smena', r.smena, 'month', r.month,
                                   'year', r.year), r.o, r.n);
        END LOOP;
    END IF;
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
